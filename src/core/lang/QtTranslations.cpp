#include "core/lang/QtTranslations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QRegularExpression>
#include <QTranslator>

namespace ortolino {

QtTranslations::QtTranslations() = default;

QtTranslations::~QtTranslations()
{
    remove();
}

void QtTranslations::remove()
{
    if (translator_ && QCoreApplication::instance() != nullptr)
        QCoreApplication::removeTranslator(translator_.get());
    translator_.reset();
    code_.clear();
}

bool QtTranslations::follow(const QString& code)
{
    remove();
    // A code names a file of Qt's folder: letters and '_' only.
    static const QRegularExpression valid(QStringLiteral("^[A-Za-z]{2,3}(_[A-Za-z]{2,4})?$"));
    if (!valid.match(code).hasMatch() || QCoreApplication::instance() == nullptr)
        return false;
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_") + code,
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        return false;
    QCoreApplication::installTranslator(translator.get());
    translator_ = std::move(translator);
    code_ = code;
    return true;
}

} // namespace ortolino
