#include "settings/IniManager.h"

#include <QFile>
#include <QFileInfo>
#include <QSaveFile>

IniManager::Load IniManager::load(QByteArray &bytes) const
{
    if (m_nome.isEmpty())
        return Load::Failed;
    const QFileInfo info(m_nome);
    if (!info.exists())
        return info.isSymLink() ? Load::Failed : Load::Missing;
    if (!info.isFile() || info.size() > kMaxFileBytes)
        return Load::Failed;
    QFile f(m_nome);
    if (!f.open(QIODevice::ReadOnly))
        return Load::Failed;
    bytes = f.read(kMaxFileBytes + 1);
    if (f.error() != QFileDevice::NoError || bytes.size() > kMaxFileBytes)
        return Load::Failed;
    return Load::Ok;
}

QString IniManager::Leggi(const QString &chiave, const QString &predefinito) const
{
    QByteArray bytes;
    if (load(bytes) != Load::Ok)
        bytes.clear();  // a file that cannot be read gives the default, like a missing one
    return IniDocument::read(bytes, m_sezione, chiave, predefinito);
}

template <typename Edit>
int32_t IniManager::change(Edit edit)
{
    QByteArray bytes;
    if (load(bytes) == Load::Failed)
        return 0;  // never replace a file we could not read whole
    IniDocument doc = IniDocument::fromBytes(bytes);
    const IniDocument::Result r = edit(doc);
    if (r == IniDocument::Result::Refused)
        return 0;
    if (r == IniDocument::Result::Unchanged)
        return 1;

    // Temporary file in the same folder, renamed over the old one on commit.
    QSaveFile out(m_nome);
    if (!out.open(QIODevice::WriteOnly))
        return 0;
    bytes = doc.toBytes();
    // Qt 6.4's commit() renames even after a failed buffered write (a full
    // disk), so flush first and give up while the old file is still there.
    if (out.write(bytes) != bytes.size() || !out.flush() || out.error() != QFileDevice::NoError) {
        out.cancelWriting();
        return 0;
    }
    return out.commit() ? 1 : 0;
}

int32_t IniManager::Scrivi(const QString &chiave, const QString &Valore)
{
    return change([&](IniDocument &d) { return d.write(m_sezione, chiave, Valore); });
}

int32_t IniManager::CancellaSezione()
{
    return change([&](IniDocument &d) { return d.removeSection(m_sezione); });
}

int32_t IniManager::CancellaValore(const QString &chiave)
{
    return change([&](IniDocument &d) { return d.removeKey(m_sezione, chiave); });
}
