// Linked into every QtTest on Windows. Wine hands no QT_ variable of the environment on to a
// Windows program, so what CTest sets for the tests elsewhere is set here, before main: the
// offscreen platform, and results on standard output even without a console window (Qt Test
// would otherwise write them to the debugger, where CTest never sees them). The offscreen
// platform reads its fonts from a folder, and a fresh wine prefix has none: it takes the
// fonts of the machine wine runs on.
#include <QByteArray>

namespace {

const bool kEnvironmentSet =
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen")) &&
    qputenv("QT_FORCE_STDERR_LOGGING", QByteArrayLiteral("1")) &&
    qputenv("QT_QPA_FONTDIR", QByteArrayLiteral("Z:\\usr\\share\\fonts\\truetype\\dejavu"));

}  // namespace
