#include "app/Forms.h"

namespace vantrel {

Forms::Forms(Platform& platform) : FormAddRun(platform.shell), FormAbout(platform.shell) {
    editors.Register(LinkKindRun, FormAddRun);
    editors.Register(LinkKindNetwork, FormAddNetwork);
    editors.Register(LinkKindInternet, FormAddInternet);
}

} // namespace vantrel
