#include "ui/print_command.h"

#include "ui/prompter.h"

#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

namespace gearsel {

PrintCommand::PrintCommand(Prompter& prompter, ContentSource content, PrinterRoute printer,
                           QObject* parent)
    : QObject(parent), prompter_(prompter), content_(std::move(content)),
      printer_(std::move(printer)) {}

QString PrintCommand::question() {
    return QStringLiteral("是否打印选配结果列表? \n\n准备好打印机，开始打印? ");
}

QString PrintCommand::defaultPdfPath(const QDateTime& when) {
    QString folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    const QString name =
        QStringLiteral("挂轮选配结果_%1.pdf").arg(when.toString(QStringLiteral("yyyy-MM-dd")));
    return QDir(folder).filePath(name);
}

void PrintCommand::PrintSbTab() {
    if (!prompter_.askYesNo(question(), Prompter::Icon::Question)) {
        return;
    }
    const PrintoutContent content = content_();
    const PrinterResult result = printer_(content);
    if (!result.printed) {
        offerPdf(content, result.problem);
    }
}

void PrintCommand::offerPdf(const PrintoutContent& content, const QString& problem) {
    const QString offer = problem + QStringLiteral("\n\n是否将选配结果列表保存为PDF文件? ");
    if (!prompter_.askYesNo(offer, Prompter::Icon::Question)) {
        return;
    }
    std::optional<QString> path =
        prompter_.askSavePath(QStringLiteral("保存选配结果列表"), defaultPdfPath(content.printedAt),
                              QStringLiteral("PDF 文件 (*.pdf)"));
    if (!path) {
        return;
    }
    if (QFileInfo(*path).suffix().compare(QLatin1String("pdf"), Qt::CaseInsensitive) != 0) {
        *path += QStringLiteral(".pdf");
    }
    if (!writePdf(*path, content)) {
        prompter_.inform(QStringLiteral("无法写入文件“%1”，选配结果列表没有保存。")
                             .arg(QDir::toNativeSeparators(*path)));
    }
}

} // namespace gearsel
