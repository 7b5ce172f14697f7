// Printing through Qt's print support, built as a module of its own: the print
// stack is loaded when the program first asks about a printer, not at start-up.

#include "platform/Services.h"

#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>

namespace {

class StampanteQt : public platform::Printer {
public:
    bool available() const override { return !QPrinterInfo::defaultPrinter().isNull(); }

    bool print(const QString &documento, bool orizzontale, int pagine,
               const Disegno &disegna) override
    {
        if (pagine < 1 || !available())
            return false;
        QPrinter stampante(QPrinterInfo::defaultPrinter(), QPrinter::HighResolution);
        stampante.setDocName(documento);
        // Our pages are laid out in millimetres from the corner of an A4 sheet.
        stampante.setPageSize(QPageSize(QPageSize::A4));
        stampante.setPageOrientation(orizzontale ? QPageLayout::Landscape : QPageLayout::Portrait);
        stampante.setFullPage(true);
        QPainter p;
        if (!p.begin(&stampante))
            return false;
        for (int i = 0; i < pagine; ++i) {
            if (i > 0 && !stampante.newPage())
                return false;
            disegna(p, p.viewport(), i);
        }
        return p.end();
    }
};

} // namespace

extern "C" Q_DECL_EXPORT platform::Printer *tastavia_crea_stampante()
{
    return new StampanteQt;
}
