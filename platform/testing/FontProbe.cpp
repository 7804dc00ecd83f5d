// The system font database's own answer (FontProbe.h).
#include "platform/testing/FontProbe.h"

#include <QFontDatabase>
#include <QString>

bool IsFontFamilyInstalled(LPCSTR family) { return family && QFontDatabase::hasFamily(QString::fromUtf8(family)); }
