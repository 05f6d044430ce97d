#pragma once

#include <memory>
#include <QMarginsF>
#include <QString>

class QPrinter;

namespace ortolino {

// Where a print job goes. The program prints on the system's default printer
// with no dialog; tests (and anyone who wants a file) print into a PDF file
// through the very same page code.
class PrinterTarget
{
public:
    virtual ~PrinterTarget() = default;
    // A printer ready for a job, or nothing when there is none to print on.
    virtual std::unique_ptr<QPrinter> open() = 0;
    // Whether the job just printed (painter ended) reached the printing
    // system. CUPS is handed the job only then, and a queue that rejects jobs
    // refuses it there, after every page was drawn without a fault.
    virtual bool jobAccepted() { return true; }
};

// The system's default printer (CUPS on Linux), as the printing system
// describes it: paper size and printable area come from its driver.
class DefaultPrinter final : public PrinterTarget
{
public:
    std::unique_ptr<QPrinter> open() override;
    bool jobAccepted() override;
};

// A PDF file on A4 paper whose printable area starts `printableMargins`
// (points) inside the paper's edges, like a real printer's.
class PdfFilePrinter final : public PrinterTarget
{
public:
    explicit PdfFilePrinter(QString path, QMarginsF printableMargins = {})
        : path_(std::move(path)), margins_(printableMargins)
    {
    }
    std::unique_ptr<QPrinter> open() override;

private:
    QString path_;
    QMarginsF margins_;
};

} // namespace ortolino
