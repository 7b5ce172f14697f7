#include "settings/IniManager.h"

#include "settings/AccessoFile.h"

#include <algorithm>
#include <utility>

QString IniManager::Leggi(const QString &chiave, const QString &predefinito) const
{
    QByteArray bytes;
    // A file that cannot be read gives the default, like a missing one.
    if (!m_nome.isEmpty())
        AccessoFile::leggi(m_nome, kMaxFileBytes, std::min(m_attesaMs, kAttesaLetturaMs), bytes);
    return IniDocument::read(bytes, m_sezione, chiave, predefinito);
}

void IniManager::segnala(ErroreScrittura::Motivo motivo)
{
    m_errori.append({m_nome, motivo});
}

QList<ErroreScrittura> IniManager::prendiErrori()
{
    return std::exchange(m_errori, {});
}

template <typename Edit>
int32_t IniManager::change(Edit edit)
{
    if (m_nome.isEmpty())
        return 0;
    AccessoFile file;
    AccessoFile::Apertura aperto = file.apri(m_nome, kMaxFileBytes, m_attesaMs, false);
    if (aperto == AccessoFile::Apertura::Mancante) {
        // A change that needs no file (deleting from a missing one) creates none.
        IniDocument vuoto;
        const IniDocument::Result r = edit(vuoto);
        if (r != IniDocument::Result::Changed)
            return r == IniDocument::Result::Unchanged ? 1 : 0;
        aperto = file.apri(m_nome, kMaxFileBytes, m_attesaMs, true);
    }
    if (aperto != AccessoFile::Apertura::Ok) {
        // Without the right to write, a change that changes nothing still
        // succeeds, as it would have left the file untouched anyway.
        QByteArray bytes;
        if (AccessoFile::leggi(m_nome, kMaxFileBytes, 0, bytes) == AccessoFile::Apertura::Ok) {
            IniDocument doc = IniDocument::fromBytes(bytes);
            const IniDocument::Result r = edit(doc);
            if (r != IniDocument::Result::Changed)
                return r == IniDocument::Result::Unchanged ? 1 : 0;
        }
        segnala(file.errore());
        return 0;
    }

    IniDocument doc = IniDocument::fromBytes(file.contenuto());
    const IniDocument::Result r = edit(doc);
    if (r != IniDocument::Result::Changed)
        return r == IniDocument::Result::Unchanged ? 1 : 0;
    if (!file.sostituisci(doc.toBytes())) {
        segnala(file.errore());
        return 0;
    }
    return 1;
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
