#include "exchange/PdfExport.h"

#include "platform/Printer.h"
#include "richedit/RichEdit.h"
#include "text/SafeSave.h"

#include <QDir>
#include <QFileInfo>
#include <QPrinter>
#include <QTemporaryFile>

namespace kora {

bool writePdf(const RichEdit &editor, const QString &fileName, QString *error)
{
    // The printer writes as it goes; the target is replaced only by a finished file.
    QTemporaryFile temporary(QDir::temp().filePath(QStringLiteral("kora-XXXXXX.pdf")));
    if (!temporary.open()) {
        if (error)
            *error = QStringLiteral("Dočasný soubor pro PDF nelze vytvořit (%1)").arg(temporary.errorString());
        return false;
    }
    temporary.close();
    QPrinter printer(QPrinter::HighResolution);
    setUpPdfOutput(printer, temporary.fileName());
    if (!editor.print(&printer, QFileInfo(fileName).completeBaseName())) {
        if (error)
            *error = QStringLiteral("PDF se nepodařilo vytvořit");
        return false;
    }
    QByteArray pdf;
    if (!readWholeFile(temporary.fileName(), &pdf, error))
        return false;
    return saveFileSafely(fileName, pdf,
                          QStringLiteral("Soubor „%1“ se nepodařilo zapsat").arg(QDir::toNativeSeparators(fileName)),
                          error);
}

} // namespace kora
