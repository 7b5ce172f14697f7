#include "keyboard/ControlloLayout.h"

#include "keyboard/TabellaTasti.h"

namespace tastiera {

namespace {
constexpr int ContestoGuidaLayout = 1001;
}

ControlloLayout::ControlloLayout(platform::Keyboard *tastiera,
                                 std::function<QString(const QString &)> nomeXkb)
    : tastiera_(tastiera), nomeXkb_(std::move(nomeXkb))
{
}

QString ControlloLayout::nome(const QString &idLayout) const
{
    const QString n = nomeXkb_ ? nomeXkb_(idLayout) : QString();
    return n.isEmpty() ? idLayout : n;
}

QString ControlloLayout::attivo() const
{
    return tastiera_ ? tastiera_->activeLayout() : QStringLiteral("unknown");
}

std::optional<LayoutTastiera> ControlloLayout::leggi()
{
    return compila(tastiera_ ? tastiera_->keymap() : std::nullopt);
}

std::optional<LayoutTastiera> ControlloLayout::compila(std::optional<platform::Keyboard::Keymap> keymap)
{
    letta_ = std::move(keymap);
    return letta_ ? LayoutTastiera::daTesto(letta_->text, letta_->group) : std::nullopt;
}

bool ControlloLayout::AggiornaModello(Esito &esito)
{
    std::optional<platform::Keyboard::Keymap> ora = tastiera_ ? tastiera_->keymap() : std::nullopt;
    if (!ora)
        return false;   // a read that failed is no change of keymap
    const bool uguale = ora.has_value() == letta_.has_value() &&
                        (!ora || (ora->text == letta_->text && ora->group == letta_->group));
    if (uguale)
        return false;
    modello_ = compila(std::move(ora));
    if (esito == Esito::Cambiato || esito == Esito::Fallito)
        return true;
    if (!modello_)
        esito = Esito::Sconosciuto;
    else if (TabellaTasti::CompatibileAzerty(*modello_))
        esito = Esito::Francese;
    else if (!tastiera_->canSwitch())
        esito = Esito::NonFrancese;
    return true;
}

bool ControlloLayout::AttivaLayout(const QString &idLayout, bool salvaPrecedente)
{
    const QString voluto = nome(idLayout);
    const QString prima = attivo();
    if (!voluto.isEmpty() && prima == voluto)
        return true;
    if (salvaPrecedente)
        layoutPrecedente_ = prima;

    if (tastiera_ && !voluto.isEmpty())
        tastiera_->activateLayout(voluto);
    if (!voluto.isEmpty() && attivo() == voluto)
        return true;

    // Back to what was there; "unknown" (no X11) cannot be activated.
    if (tastiera_ && !layoutPrecedente_.isEmpty() && layoutPrecedente_ != QLatin1String("unknown")
        && attivo() != nome(layoutPrecedente_))
        tastiera_->activateLayout(nome(layoutPrecedente_));
    layoutPrecedente_.clear();
    return false;
}

ControlloLayout::Esito ControlloLayout::VerificaLayout()
{
    modello_.reset();
    if (!tastiera_)
        return Esito::Sconosciuto;
    tastiera_->restoreAfterCrash();
    const bool cambiabile = tastiera_->canSwitch();
    std::optional<LayoutTastiera> proprio = leggi();
    if (!proprio) {
        // Nothing to read the keys from: only a switchable X server is asked by name.
        if (!cambiabile)
            return Esito::Sconosciuto;
        const QString prima = attivo();
        if (!AttivaLayout(QString::fromLatin1(LayoutFrancese), true))
            return Esito::Fallito;
        return prima == nome(QString::fromLatin1(LayoutFrancese)) ? Esito::Francese : Esito::Cambiato;
    }
    if (TabellaTasti::CompatibileAzerty(*proprio)) {
        modello_ = std::move(proprio);
        return Esito::Francese;
    }
    if (!cambiabile) {
        modello_ = std::move(proprio);
        return Esito::NonFrancese;
    }
    if (!AttivaLayout(QString::fromLatin1(LayoutFrancese), true)) {
        modello_ = std::move(proprio);
        return Esito::Fallito;
    }
    modello_ = leggi();
    return Esito::Cambiato;
}

void ControlloLayout::RipristinaLayout()
{
    if (layoutPrecedente_.isEmpty())
        return;
    AttivaLayout(layoutPrecedente_, false);
    layoutPrecedente_.clear();   // restored once
}

QString testoAvvisoLayout(const std::function<QString(int)> &messaggio)
{
    const auto m = [&](int i) { return messaggio ? messaggio(i) : QString(); };
    return m(14) + " " + m(16) + "\r\n" + m(15) + "\r\n" + m(32);
}

ControlloLayout::Esito VerificaLayout(ControlloLayout &controllo, const AvvisoLayout &avviso)
{
    const ControlloLayout::Esito esito = controllo.VerificaLayout();
    if (esito != ControlloLayout::Esito::Fallito)
        return esito;
    if (avviso.dialogs)
        avviso.dialogs->message(avviso.finestra, avviso.titoloAttenzione, testoAvvisoLayout(avviso.messaggio),
                                platform::Dialogs::Critical, platform::Dialogs::Ok);
    if (avviso.apriGuida)
        avviso.apriGuida(ContestoGuidaLayout);
    return esito;
}

} // namespace tastiera
