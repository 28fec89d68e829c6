#include "module1.h"

namespace app::Module1 {

NOTIFYICONDATA trayRecord{};

} // namespace app::Module1
