#pragma once
#include <QString>

// The checkout the tests read data and write screenshots under. Only its own
// file is compiled with the absolute path, so no other test file's command
// line names one and ccache shares their objects between clones.
QString cartellaSorgenti();
