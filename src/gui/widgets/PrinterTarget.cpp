#include "gui/widgets/PrinterTarget.h"

#include <QPageLayout>
#include <QPageSize>
#include <QPrinter>
#include <QPrinterInfo>

namespace ortolino {

namespace {

const QString kJobName = QStringLiteral("Ortolino");

} // namespace

std::unique_ptr<QPrinter> DefaultPrinter::open()
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    if (info.isNull())
        return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid())
        return nullptr;
    printer->setDocName(kJobName);
    return printer;
}

std::unique_ptr<QPrinter> PdfFilePrinter::open()
{
    auto printer = std::make_unique<QPrinter>(QPrinter::HighResolution);
    printer->setOutputFormat(QPrinter::PdfFormat);
    printer->setOutputFileName(path_);
    printer->setDocName(kJobName);
    printer->setPageLayout(
        QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, margins_, QPageLayout::Point));
    return printer;
}

} // namespace ortolino
