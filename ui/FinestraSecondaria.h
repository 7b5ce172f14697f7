#pragma once
// What the secondary windows (results, report, game, information) ask of the
// window system: staying above the others, and a dialog's frame.

class QWidget;

// Keeps the window above every other one (on), or lets it go (off).
void SempreInPrimoPiano(QWidget *window, bool on);

// A dialog's frame with its title and close button.
void BordoDialogo(QWidget *window);
