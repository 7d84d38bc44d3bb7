#pragma once
// The record attached to every user entry and to every generated row of the menus.

#include <array>
#include <cstdint>
#include <memory>
#include <string>

namespace vantrel {

// The category an entry belongs to. Only 3..7 belong to the user's tree and are saved;
// Drive and System exist in memory only, on the rows of the generated menus.
enum LinkKind : std::uint8_t {
    LinkKindDrive = 0,
    LinkKindSystem = 1,
    LinkKindRun = 3,
    LinkKindApplication = 4,
    LinkKindNetwork = 5,
    LinkKindInternet = 6,
    LinkKindFile = 7,
};

inline bool IsSavedLinkKind(int kind) { return kind >= LinkKindRun && kind <= LinkKindFile; }

enum EntryTypeValue : std::uint8_t {
    EntryTypeGroup = 0,
    EntryTypeItem = 1, // for LinkKindFile: a file
    EntryTypeFolder = 2,
};

constexpr int IconSide = 16;
constexpr int IconPixelBytes = IconSide * IconSide * 4;

// 16 x 16 pixels, bytes blue, green, red, alpha; straight alpha; rows bottom-up.
using IconPixels = std::array<std::uint8_t, IconPixelBytes>;

struct LinkEntry {
    enum class PictureState : std::uint8_t { Unread, Reading, Read };

    std::string title;
    std::string target;
    std::string parameters;
    std::string workDir;
    std::uint8_t runAsAdmin = 0;
    std::uint8_t kind = 0;
    std::uint8_t entryType = 0;
    std::uint8_t isGroup = 0;
    // Where reading the entry's own picture stands; kept by the user-interface thread only.
    PictureState pictureState = PictureState::Unread;

    LinkEntry() { ++liveCount_; }
    LinkEntry(const LinkEntry& other) = delete;
    LinkEntry& operator=(const LinkEntry&) = delete;
    ~LinkEntry() { --liveCount_; }

    // Records alive in the process: lets tests prove that deleting, rebuilding and
    // shutting down release every record.
    static long LiveCount() { return liveCount_; }

    // The entry's own picture, read from its target; fully transparent until one is stored.
    // Held apart from the record, shared by every entry with the same picture, and only once
    // there is one: a kilobyte per entry would be most of a large tree.
    bool HasPicture() const { return picture_ != nullptr; }
    const IconPixels& Pixels() const { return picture_ ? *picture_ : NoPixels; }
    void SetPixels(const IconPixels& pixels) { picture_ = std::make_shared<IconPixels>(pixels); }
    void SharePicture(std::shared_ptr<const IconPixels> picture) { picture_ = std::move(picture); }
    void ForgetPicture() { picture_.reset(); }

    // Lets work that finishes later (a picture read in the background) tell whether the
    // record still exists by then, and still holds what the work was asked about.
    std::weak_ptr<const void> Lifetime() {
        if (!lifetime_)
            lifetime_ = std::make_shared<char>('\0');
        return lifetime_;
    }
    // The target changed: work asked about the old one must find the record gone.
    void EndPendingWork() { lifetime_.reset(); }

private:
    static inline const IconPixels NoPixels{};
    std::shared_ptr<const IconPixels> picture_;
    std::shared_ptr<char> lifetime_;
    static inline long liveCount_ = 0;
};

} // namespace vantrel
