#include "core/platform/Dialogs.h"

#include "support/QtPrinters.h"

#include <gtest/gtest.h>

using namespace ortolino;

namespace {

TEST(DialogsTest, BytesAreReadUpToTheFirstZeroAndNamesGetTheDefaultExtension)
{
    EXPECT_EQ(BytesToString(QByteArray("Verdana\0junk", 12)), "Verdana");
    EXPECT_EQ(BytesToString(QByteArray("Citt\xe0")), QString::fromUtf8("Città"));
    EXPECT_EQ(BytesToString(QByteArray()), "");
    // A name without extension gets the default one.
    EXPECT_EQ(withDefaultExtension("/dati/MARIO/lunedi", "rtf"), "/dati/MARIO/lunedi.rtf");
    EXPECT_EQ(withDefaultExtension("/dati/MARIO/lunedi.rtf", "rtf"), "/dati/MARIO/lunedi.rtf");
    EXPECT_EQ(withDefaultExtension("/liste/frutta.TXT", "txt"), "/liste/frutta.TXT");
    EXPECT_EQ(withDefaultExtension("", "txt"), ""); // a cancel stays a cancel
}

} // namespace
