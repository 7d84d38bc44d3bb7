#include "win32/OnDemandLibrary.h"

#include "win32/DllSearch.h"

namespace vantrel::win32 {

OnDemandLibrary::OnDemandLibrary(const char* name) : module_(LoadSystemLibrary(name)) {}

OnDemandLibrary::~OnDemandLibrary() {
    if (module_)
        FreeLibrary(module_);
}

} // namespace vantrel::win32
