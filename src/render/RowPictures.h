#pragma once
// The rows' own pictures, read without ever making start-up or a menu wait. Start-up asks for
// none: rows show the program's picture of their kind until their own arrives. After the tray
// icon shows, the rows of the menus given are queued at low priority, top-level rows first; a
// menu about to open moves its rows to the front of the queue; an edited row is read again
// soon. One read at a time goes to the reading thread, which sees only a plain request; its
// answer is stored here, on the user-interface thread, at the side it was asked for, and only
// in a row that still exists and still has the target it was read for. Targets that may wait
// on a network or a medium are read on threads of their own, a few at a time, so that they
// hold up nothing else.
//
// At most one read nobody waits for and one a menu waits for are out at a time, so that a
// menu's read goes to the reading thread at once and is taken next. A row is queued at most
// once, so a read stuck in the shell for the rest of the session costs no memory however
// often the menus open.

#include "platform/DrivesApi.h"
#include "platform/PictureApi.h"
#include "render/PictureStore.h"
#include "tree/MenuNode.h"

#include <cstddef>
#include <deque>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vantrel {

// Rows whose picture is read from their target: applications, files and folders, and the
// places of System Links. Disk Drives reads its own when it is built.
bool ReadsOwnPicture(const LinkEntry& entry);

// What the painter shows for a row in a picture slot of `slot` pixels: the row's own picture
// once it has one that fits (imageIndex is then ImageNone), else its fixed picture, which for
// a row that reads its own is that of its kind. A picture read for a larger slot (the menu
// opened on a monitor of lower scaling) shows the kind's until it is read again.
struct RowPicture {
    int imageIndex = -1;
    const IconPixels* pixels = nullptr;
};
RowPicture PictureOfRow(const MenuNode& row, int slot = IconSide);

// At most this many reads that may wait on a network run at once.
constexpr std::size_t SlowReadLimit = 4;

class RowPictures {
  public:
    // Where a row's picture is read from; empty when it has none to read. Only the program
    // knows every kind of row, so it says.
    using SourceOf = std::function<std::optional<PictureSource>(const LinkEntry&)>;

    RowPictures(PicturesApi& reader, DrivesApi& drives, SourceOf sourceOf);
    ~RowPictures();
    RowPictures(const RowPictures&) = delete;
    RowPictures& operator=(const RowPictures&) = delete;

    // Queues every row below these menus that reads its own picture, breadth first over all
    // of them, and starts reading.
    void QueueAll(const std::vector<const MenuNode*>& menus);
    // A menu is about to open: its rows are read before everything else. The answers that
    // arrived are stored first (the message announcing them may have found the window's queue
    // full); the rows whose picture changed.
    std::vector<const MenuNode*> Hurry(const MenuNode& menu);
    // The same for a few rows of any menus, the Find window's, in their order.
    std::vector<const MenuNode*> HurryRows(const std::vector<const MenuNode*>& rows);
    // A row was added or edited: what it showed goes, and it is read again before the rest.
    void Refresh(const MenuNode& row);
    // Stores the answers that arrived and starts the next read; the rows whose picture
    // changed, so that an open menu repaints them.
    std::vector<const MenuNode*> Collect();
    // Nothing more is read; answers still on their way are dropped.
    void Stop();
    // Pictures are read at side x side pixels from now on (the menus open at another
    // scaling); rows that have one of another side are read again when queued, and so are
    // those whose read was asked for at the old side. True when the side changed.
    bool SetSide(int side);
    int Side() const { return side_; }

    // Rows waiting to be read, for tests and measurements.
    std::size_t Queued() const { return urgent_.size() + background_.size(); }
    PictureStore& Store() { return store_; }

  private:
    struct Job {
        const MenuNode* row = nullptr;
        std::weak_ptr<const void> alive; // the row's record, as it was when queued
    };
    struct Reading {
        PictureTicket ticket = 0;
        Job job;
        int side = IconSide; // asked for at this side
    };

    static Job JobOf(const MenuNode& row);
    bool NeedsRead(const MenuNode& row) const;
    void Enqueue(const MenuNode& row, bool urgent);
    void Unqueue(const MenuNode* menu);
    std::vector<Job> JobsOfMenu(const MenuNode& menu);
    // Adds the row's job when it is queued already or needs a read.
    void TakeJob(const MenuNode& row, std::vector<Job>& jobs);
    std::vector<const MenuNode*> StoreArrived();
    void Pump();
    bool StartNext(bool urgent);
    void Start(Job job, bool urgent);
    void StartSlow(Job job, const std::string& path);
    void StartWaitingSlow();
    void SlowAnswered(const Job& job, int side, std::optional<RawIcon> icon);
    bool Answered(const Job& job, const std::optional<RawIcon>& icon, int side, bool urgent);
    bool StoreAnswer(const Job& job, const std::optional<RawIcon>& icon, int side);

    PicturesApi& reader_;
    DrivesApi& drives_;
    SourceOf sourceOf_;
    PictureStore store_;
    std::deque<Job> urgent_;
    std::deque<Job> background_;
    enum Slot { Background, Urgent };
    static Slot SlotOf(bool urgent) { return urgent ? Urgent : Background; }
    std::optional<Reading> reading_[2]; // out on the reading thread, by slot
    std::deque<std::pair<Job, std::string>> waitingSlow_;
    std::size_t slowReads_ = 0;
    PictureTicket lastTicket_ = 0;
    int side_ = IconSide;
    bool stopped_ = false;
    // Answers of slow reads come back through the platform, which may outlive this object.
    std::shared_ptr<RowPictures*> self_;
};

} // namespace vantrel
