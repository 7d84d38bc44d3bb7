// plantcontrol: a deliberately careless program for the DLL-planting test. It imports the
// power library statically, so the loader resolves powrprof.dll through the ordinary search
// order, which starts at the exe's own folder. A DLL of that name planted beside it is loaded;
// the test uses this to prove the planted DLL would be picked up at all.
#include <windows.h>
#include <powrprof.h>

#include <cstdio>

int main() {
    std::printf("hibernate allowed: %d\n", IsPwrHibernateAllowed() ? 1 : 0);
    return 0;
}
