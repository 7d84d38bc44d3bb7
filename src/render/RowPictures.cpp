#include "render/RowPictures.h"

#include "render/IconExtraction.h"
#include "tree/ImageIndex.h"

#include <algorithm>
#include <utility>

namespace vantrel {

bool ReadsOwnPicture(const LinkEntry& entry) {
    switch (entry.kind) {
    case LinkKindApplication:
    case LinkKindFile: return entry.isGroup == 0;
    case LinkKindSystem: return true;
    default: return false;
    }
}

namespace {
bool IsQueued(const MenuNode& row) {
    return row.Tag() && row.Tag()->pictureState == LinkEntry::PictureState::Queued;
}
} // namespace

RowPicture PictureOfRow(const MenuNode& row, int slot) {
    const LinkEntry* entry = row.Tag();
    if (entry && entry->HasPicture() && entry->Pixels().Side() <= slot)
        return {ImageNone, &entry->Pixels()};
    return {row.imageIndex, nullptr};
}

RowPictures::RowPictures(PicturesApi& reader, DrivesApi& drives, SourceOf sourceOf)
    : reader_(reader), drives_(drives), sourceOf_(std::move(sourceOf)),
      self_(std::make_shared<RowPictures*>(this)) {}

RowPictures::~RowPictures() {
    Stop();
}

RowPictures::Job RowPictures::JobOf(const MenuNode& row) {
    return {&row, row.Tag()->Lifetime()};
}

void RowPictures::QueueAll(const std::vector<const MenuNode*>& menus) {
    if (stopped_)
        return;
    std::vector<const MenuNode*> level = menus, next;
    while (!level.empty()) {
        for (const MenuNode* menu : level) {
            for (std::size_t i = 0; i < menu->Count(); ++i) {
                const MenuNode& row = menu->Child(i);
                if (NeedsRead(row))
                    Enqueue(row, false);
                // Children not made yet are commands, never rows with pictures.
                if (row.HasMadeChildren())
                    next.push_back(&row);
            }
        }
        level.swap(next);
        next.clear();
    }
    Pump();
}

// A row that reads its own picture and has not been read, nor is queued or being read, or
// whose picture was read at another side.
bool RowPictures::NeedsRead(const MenuNode& row) const {
    const LinkEntry* entry = row.Tag();
    if (!entry || !ReadsOwnPicture(*entry))
        return false;
    if (entry->pictureState == LinkEntry::PictureState::Read)
        return entry->HasPicture() && entry->Pixels().Side() != side_;
    return entry->pictureState == LinkEntry::PictureState::Unread;
}

void RowPictures::Enqueue(const MenuNode& row, bool urgent) {
    row.Tag()->pictureState = LinkEntry::PictureState::Queued;
    (urgent ? urgent_ : background_).push_back(JobOf(row));
}

// Drops the jobs of rows deleted or edited since they were queued, and those of the rows of
// `menu` (when given).
void RowPictures::Unqueue(const MenuNode* menu) {
    const auto leaves = [menu](const Job& job) {
        return job.alive.expired() || (menu && job.row->Parent() == menu);
    };
    for (std::deque<Job>* queue : {&urgent_, &background_})
        queue->erase(std::remove_if(queue->begin(), queue->end(), leaves), queue->end());
}

bool RowPictures::SetSide(int side) {
    if (side <= 0 || side == side_)
        return false;
    side_ = side;
    return true;
}

std::vector<const MenuNode*> RowPictures::Hurry(const MenuNode& menu) {
    std::vector<const MenuNode*> changed = StoreArrived();
    if (stopped_)
        return changed;
    Unqueue(&menu);
    const std::vector<Job> rows = JobsOfMenu(menu);
    // The menu that opened last is the one the user looks at: its rows go first, top down.
    urgent_.insert(urgent_.begin(), rows.begin(), rows.end());
    Pump();
    return changed;
}

std::vector<const MenuNode*> RowPictures::HurryRows(const std::vector<const MenuNode*>& rows) {
    std::vector<const MenuNode*> changed = StoreArrived();
    if (stopped_)
        return changed;
    std::vector<Job> jobs;
    for (const MenuNode* row : rows)
        TakeJob(*row, jobs);
    if (jobs.empty())
        return changed; // each keystroke in Find asks: rows read already cost no pass
    const auto listed = [&rows](const Job& job) {
        return job.alive.expired() || std::find(rows.begin(), rows.end(), job.row) != rows.end();
    };
    for (std::deque<Job>* queue : {&urgent_, &background_})
        queue->erase(std::remove_if(queue->begin(), queue->end(), listed), queue->end());
    urgent_.insert(urgent_.begin(), jobs.begin(), jobs.end());
    Pump();
    return changed;
}

// The menu's rows that were queued (their jobs just taken out) or need a read, top down.
std::vector<RowPictures::Job> RowPictures::JobsOfMenu(const MenuNode& menu) {
    std::vector<Job> rows;
    for (std::size_t i = 0; i < menu.Count(); ++i)
        TakeJob(menu.Child(i), rows);
    return rows;
}

void RowPictures::TakeJob(const MenuNode& row, std::vector<Job>& jobs) {
    if (IsQueued(row) || NeedsRead(row)) {
        row.Tag()->pictureState = LinkEntry::PictureState::Queued;
        jobs.push_back(JobOf(row));
    }
}

void RowPictures::Refresh(const MenuNode& row) {
    LinkEntry* entry = row.Tag();
    if (!entry || !ReadsOwnPicture(*entry))
        return;
    // A read still on its way was made for the old target: its answer must find no one.
    entry->EndPendingWork();
    entry->ForgetPicture();
    entry->pictureState = LinkEntry::PictureState::Unread;
    if (stopped_)
        return;
    Unqueue(nullptr); // its job of before, if any
    entry->pictureState = LinkEntry::PictureState::Queued;
    urgent_.push_front(JobOf(row));
    Pump();
}

std::vector<const MenuNode*> RowPictures::Collect() {
    std::vector<const MenuNode*> changed = StoreArrived();
    Pump();
    return changed;
}

std::vector<const MenuNode*> RowPictures::StoreArrived() {
    std::vector<const MenuNode*> changed;
    for (PictureAnswer& answer : reader_.TakeAnswers()) {
        for (Slot slot : {Background, Urgent}) {
            std::optional<Reading>& reading = reading_[slot];
            if (!reading || reading->ticket != answer.ticket)
                continue;
            const Reading done = std::move(*reading);
            reading.reset();
            if (Answered(done.job, answer.icon, done.side, slot == Urgent))
                changed.push_back(done.job.row);
        }
    }
    return changed;
}

void RowPictures::Stop() {
    stopped_ = true;
    reader_.Stop();
    urgent_.clear();
    background_.clear();
    waitingSlow_.clear();
    reading_[Background].reset();
    reading_[Urgent].reset();
}

void RowPictures::Pump() {
    while (!stopped_ && (StartNext(true) || StartNext(false))) {
    }
}

// Takes the next job of one queue when that kind of read is not out already.
bool RowPictures::StartNext(bool urgent) {
    std::deque<Job>& queue = urgent ? urgent_ : background_;
    if (reading_[SlotOf(urgent)] || queue.empty())
        return false;
    Job job = std::move(queue.front());
    queue.pop_front();
    Start(std::move(job), urgent);
    return true;
}

// Rows deleted or edited since they were queued are passed over, and so are rows whose
// picture has the side again (the scaling changed back meanwhile).
void RowPictures::Start(Job job, bool urgent) {
    if (job.alive.expired() || job.row->Tag()->pictureState != LinkEntry::PictureState::Queued)
        return;
    LinkEntry& entry = *job.row->Tag();
    entry.pictureState = LinkEntry::PictureState::Read; // unless a read starts below
    if (entry.HasPicture() && entry.Pixels().Side() == side_)
        return;
    std::optional<PictureSource> source;
    try {
        source = sourceOf_(entry);
    } catch (...) {
        // No source: the row keeps the picture of its kind.
    }
    if (!source || (source->paths.empty() && source->specialFolder == NoSpecialFolder))
        return;
    source->side = side_;
    if (!source->paths.empty() && MayWaitOnTheNetwork(source->paths.front(), drives_)) {
        StartSlow(std::move(job), source->paths.front());
        return;
    }
    const PictureTicket ticket = ++lastTicket_;
    if (!reader_.Submit(ticket, *source, urgent)) {
        Stop(); // nothing can be read: every row keeps the picture of its kind
        return;
    }
    entry.pictureState = LinkEntry::PictureState::Reading;
    reading_[SlotOf(urgent)] = Reading{ticket, std::move(job), side_};
}

void RowPictures::StartSlow(Job job, const std::string& path) {
    job.row->Tag()->pictureState = LinkEntry::PictureState::Reading;
    if (slowReads_ >= SlowReadLimit) {
        waitingSlow_.emplace_back(std::move(job), path);
        return;
    }
    std::weak_ptr<RowPictures*> self = self_;
    auto done = [self, job, side = side_](std::optional<RawIcon> icon) {
        if (const auto alive = self.lock())
            (*alive)->SlowAnswered(job, side, std::move(icon));
    };
    ++slowReads_;
    if (!drives_.RequestIconInBackground(path, side_, std::move(done))) {
        --slowReads_;
        job.row->Tag()->pictureState = LinkEntry::PictureState::Read;
    }
}

void RowPictures::SlowAnswered(const Job& job, int side, std::optional<RawIcon> icon) {
    --slowReads_;
    if (!stopped_)
        Answered(job, icon, side, false);
    StartWaitingSlow();
    Pump();
}

void RowPictures::StartWaitingSlow() {
    while (!stopped_ && slowReads_ < SlowReadLimit && !waitingSlow_.empty()) {
        auto [job, path] = std::move(waitingSlow_.front());
        waitingSlow_.pop_front();
        if (!job.alive.expired())
            StartSlow(std::move(job), path);
    }
}

// True when the row's picture changed. A row whose picture was read at a side no longer the
// menus' is queued again, to be read at theirs.
bool RowPictures::Answered(const Job& job, const std::optional<RawIcon>& icon, int side,
                           bool urgent) {
    const bool changed = StoreAnswer(job, icon, side);
    if (!job.alive.expired() && NeedsRead(*job.row))
        Enqueue(*job.row, urgent);
    return changed;
}

// True when the row's picture changed. The picture is fitted to the side it was asked for:
// fitted to another, it would pass for one read at that side and never be read there.
bool RowPictures::StoreAnswer(const Job& job, const std::optional<RawIcon>& icon, int side) {
    if (job.alive.expired())
        return false; // deleted, or edited and queued afresh
    LinkEntry& entry = *job.row->Tag();
    entry.pictureState = LinkEntry::PictureState::Read;
    const std::optional<IconPixels> pixels = PictureOfIcon(icon, side);
    if (!pixels) {
        // A picture read for another side is not kept: it would be asked for again at every
        // opening of its menu, and the target no longer gives one.
        const bool hadPicture = entry.HasPicture();
        entry.ForgetPicture();
        return hadPicture;
    }
    entry.SharePicture(store_.Keep(*pixels));
    return true;
}

} // namespace vantrel
