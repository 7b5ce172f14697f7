#pragma once
// Access to INI-format files with the private-profile semantics of Windows
// (see IniDocument). Callers set nome() and sezione() before each group of
// accesses; every call reads the file afresh and every change replaces it
// atomically, so a crash leaves either the old or the new file.

#include "settings/IniDocument.h"

#include <QString>
#include <cstdint>

class IniManager {
public:
    // Larger files are not settings files: read as missing, never rewritten.
    static constexpr qint64 kMaxFileBytes = 16 * 1024 * 1024;

    QString nome() const { return m_nome; }
    void setNome(const QString &path) { m_nome = path; }
    QString sezione() const { return m_sezione; }
    void setSezione(const QString &section) { m_sezione = section; }

    // Non-zero on success, also when nothing had to change. 0 when refused
    // (empty names, CR or LF in a name or value) or when the file could not be
    // read or replaced; the file is then left as it was.
    int32_t Scrivi(const QString &chiave, const QString &Valore);
    // Never fails: the default (trailing spaces dropped) for anything missing or unreadable.
    QString Leggi(const QString &chiave, const QString &predefinito) const;
    int32_t CancellaSezione();
    int32_t CancellaValore(const QString &chiave);

private:
    enum class Load { Ok, Missing, Failed };
    Load load(QByteArray &bytes) const;
    template <typename Edit>
    int32_t change(Edit edit);

    QString m_nome;
    QString m_sezione;
};
