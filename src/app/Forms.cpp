#include "app/Forms.h"

namespace vantrel {

Forms::Forms(Platform& platform)
    : FormAddRun(platform.shell), FormAddApp(platform.pickers), FormAddFile(platform.pickers),
      FormAbout(platform.shell) {
    editors.Register(LinkKindRun, FormAddRun);
    editors.Register(LinkKindApplication, FormAddApp);
    editors.Register(LinkKindNetwork, FormAddNetwork);
    editors.Register(LinkKindInternet, FormAddInternet);
    editors.Register(LinkKindFile, FormAddFile);
}

} // namespace vantrel
