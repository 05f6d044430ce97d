#include "gui/widgets/PrinterTarget.h"

#include <QLibrary>
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
    // A paused queue (CUPS's "stopped": paused by hand, or stopped after its
    // printer failed) would hold the job unseen until someone resumes it.
    if (info.isNull() || info.state() == QPrinter::Error)
        return nullptr;
    auto printer = std::make_unique<QPrinter>(info, QPrinter::HighResolution);
    if (!printer->isValid())
        return nullptr;
    // Qt keeps the paper a new QPrinter starts with (A4) whenever the queue
    // takes it too, not the queue's own: a school's Letter printer would be
    // sent an A4 job, and ask for A4 paper or shrink the page.
    if (const QPageSize paper = info.defaultPageSize(); paper.isValid())
        printer->setPageSize(paper);
    printer->setDocName(kJobName);
    return printer;
}

bool DefaultPrinter::jobAccepted()
{
    // Qt hands the job to CUPS when the painter ends and drops CUPS's answer;
    // CUPS keeps the status of the thread's last request. Qt's print support
    // has libcups loaded already, so this finds the same library and state.
    using LastError = int (*)();
    const auto lastError =
        reinterpret_cast<LastError>(QLibrary::resolve(QStringLiteral("cups"), 2, "cupsLastError"));
    constexpr int kFirstError = 0x0400; // IPP's client-error class and every one above it
    return lastError == nullptr || lastError() < kFirstError;
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
