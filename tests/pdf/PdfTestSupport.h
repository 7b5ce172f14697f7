#pragma once
// Helpers shared by the writer tests: a writer on the fake clock, the folder
// the written PDFs go to (checked by the validators afterwards), file reads.

#include "pdf/clsPDFCreator.h"
#include "tests/support/Sorgenti.h"
#include "tests/support/FakeServices.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QString>

namespace pdftest {

// The validator run points this elsewhere, so it never races the test run.
inline QString outDir()
{
    QString dir = qEnvironmentVariable("TASTAVIA_PDF_OUT_DIR");
    if (dir.isEmpty())
        dir = QCoreApplication::applicationDirPath() + QStringLiteral("/written");
    QDir().mkpath(dir);
    return dir + QLatin1Char('/');
}

inline QString dataPath(const QString &name)
{
    return cartellaSorgenti() + QStringLiteral("/tests/pdf/data/") + name;
}

inline QByteArray readAll(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return QByteArray();
    return f.readAll();
}

// A fake-clocked writer; the document is dated 2026-01-05 09:00:00 on a
// machine one hour east of UTC.
struct Writer {
    Writer() { fakes.clock.current = QDateTime(QDate(2026, 1, 5), QTime(9, 0), Qt::OffsetFromUTC, 3600); }
    fake::Services fakes;
    clsPDFCreator pdf{&fakes.clock, &fakes.random, outDir()};
};

// The content stream of the only page of a one-page document.
inline QByteArray pageContent(const QByteArray &file)
{
    const qsizetype start = file.indexOf("stream\r\n") + 8;
    const qsizetype end = file.indexOf("endstream", start);
    return file.mid(start, end - start);
}

} // namespace pdftest
