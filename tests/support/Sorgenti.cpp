#include "Sorgenti.h"

QString cartellaSorgenti() { return QStringLiteral(TASTAVIA_SOURCE_DIR); }
