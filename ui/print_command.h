// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once
// The print command: asks whether to print the ranked list, prints it on the default printer,
// and when there is no printer or printing fails, says so and offers to save the same page as
// a PDF file instead. A failed print never ends the program.

#include "print/printer_output.h"
#include "print/printout_content.h"

#include <QObject>
#include <functional>

namespace gearsel {

class Prompter;

class PrintCommand : public QObject {
    Q_OBJECT
public:
    // Gathers what the page shows at the moment of printing.
    using ContentSource = std::function<PrintoutContent()>;
    // Sends a page to a printer.
    using PrinterRoute = std::function<PrinterResult(const PrintoutContent&)>;

    // `prompter` asks the questions and must outlive the command; `printer` is the default
    // printer unless a test replaces it.
    PrintCommand(Prompter& prompter, ContentSource content,
                 PrinterRoute printer = printOnDefaultPrinter, QObject* parent = nullptr);

    // The question asked before anything is printed.
    static QString question();
    // Where the save dialog starts for a page printed at `when`: a dated file name in the
    // folder of the last PDF file saved, or in the user's documents folder.
    static QString defaultPdfPath(const QDateTime& when);

public Q_SLOTS:
    // Asks, then prints the list or offers it as a PDF file.
    void printResultList();

private:
    // Tells why printing did not happen and, if the user wants, saves the page as a PDF file.
    void offerPdf(const PrintoutContent& content, const QString& problem);

    Prompter& prompter_;
    ContentSource content_;
    PrinterRoute printer_;
};

} // namespace gearsel
