#include "win32/Handles.h"

namespace vantrel::win32 {

namespace {
std::atomic<long> menus{0};
std::atomic<long> gdiObjects{0};
std::atomic<long> deviceContexts{0};
std::atomic<long> icons{0};
} // namespace

HandleCounts LiveHandleCounts() {
    return {menus.load(), gdiObjects.load(), deviceContexts.load(), icons.load()};
}
void CountMenus(long delta) { menus += delta; }
void CountGdiObjects(long delta) { gdiObjects += delta; }
void CountDeviceContexts(long delta) { deviceContexts += delta; }
void CountIcons(long delta) { icons += delta; }

} // namespace vantrel::win32
