#pragma once
// The record attached to every user entry and to every generated row of the menus.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

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

// The side of an entry's picture at 100% display scaling; other scalings read larger ones.
constexpr int IconSide = 16;

// A square picture, side x side pixels, bytes blue, green, red, alpha; straight alpha; rows
// bottom-up. Fully transparent when made.
class IconPixels {
  public:
    explicit IconPixels(int side = IconSide)
        : side_(side > 0 ? side : 0),
          bytes_(static_cast<std::size_t>(side_) * static_cast<std::size_t>(side_) * 4) {}

    int Side() const { return side_; }
    std::size_t size() const { return bytes_.size(); }
    std::uint8_t* data() { return bytes_.data(); }
    const std::uint8_t* data() const { return bytes_.data(); }
    std::uint8_t& operator[](std::size_t at) { return bytes_[at]; }
    std::uint8_t operator[](std::size_t at) const { return bytes_[at]; }
    void fill(std::uint8_t value) { bytes_.assign(bytes_.size(), value); }
    auto begin() const { return bytes_.begin(); }
    auto end() const { return bytes_.end(); }
    bool operator==(const IconPixels& other) const {
        return side_ == other.side_ && bytes_ == other.bytes_;
    }

  private:
    int side_;
    std::vector<std::uint8_t> bytes_;
};

struct LinkEntry {
    // Queued: waiting in the queue of reads, exactly once.
    enum class PictureState : std::uint8_t { Unread, Queued, Reading, Read };

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
