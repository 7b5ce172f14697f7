#pragma once
// The program's own pictures, all PNG in the resources.

#include <QPixmap>
#include <QString>

// Reads a PNG by name with the format fixed: the default reader would load
// every image plugin on the system to ask whether it knows the data better.
// A null pixmap when the picture is missing or broken.
QPixmap ImmaginePng(const QString &percorso);
