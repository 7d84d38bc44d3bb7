#include "app/Forms.h"

#include "app/MainForm.h"

namespace vantrel {

Forms::Forms(Platform& platform)
    : picker(platform.pickers, platform.codePage, platform.ui, ProgramTitle),
      FormAddRun(platform.shell), FormAddApp(picker), FormAddFile(picker),
      FormAbout(platform.shell), FormSettings(platform.ui) {
    editors.Register(LinkKindRun, FormAddRun);
    editors.Register(LinkKindApplication, FormAddApp);
    editors.Register(LinkKindNetwork, FormAddNetwork);
    editors.Register(LinkKindInternet, FormAddInternet);
    editors.Register(LinkKindFile, FormAddFile);
}

} // namespace vantrel
