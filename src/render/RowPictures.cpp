#include "render/RowPictures.h"

#include "render/IconExtraction.h"
#include "tree/ImageIndex.h"

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
    std::vector<const MenuNode*> level = menus, next;
    while (!level.empty()) {
        for (const MenuNode* menu : level) {
            for (std::size_t i = 0; i < menu->Count(); ++i) {
                const MenuNode& row = menu->Child(i);
                if (row.Tag() && ReadsOwnPicture(*row.Tag()))
                    background_.push_back(JobOf(row));
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

// A row that reads its own picture and has not been read, nor is being read, or whose
// picture was read at another side.
bool RowPictures::Wanted(const MenuNode& row) const {
    const LinkEntry* entry = row.Tag();
    if (!entry || !ReadsOwnPicture(*entry))
        return false;
    if (entry->pictureState == LinkEntry::PictureState::Read)
        return entry->HasPicture() && entry->Pixels().Side() != side_;
    return entry->pictureState == LinkEntry::PictureState::Unread;
}

bool RowPictures::SetSide(int side) {
    if (side <= 0 || side == side_)
        return false;
    side_ = side;
    return true;
}

void RowPictures::Hurry(const MenuNode& menu) {
    std::vector<Job> rows;
    for (std::size_t i = 0; i < menu.Count(); ++i)
        if (Wanted(menu.Child(i)))
            rows.push_back(JobOf(menu.Child(i)));
    // The menu that opened last is the one the user looks at: its rows go first, top down.
    urgent_.insert(urgent_.begin(), rows.begin(), rows.end());
    Pump();
}

void RowPictures::Refresh(const MenuNode& row) {
    LinkEntry* entry = row.Tag();
    if (!entry || !ReadsOwnPicture(*entry))
        return;
    // A read still on its way was made for the old target: its answer must find no one.
    entry->EndPendingWork();
    entry->ForgetPicture();
    entry->pictureState = LinkEntry::PictureState::Unread;
    urgent_.push_front(JobOf(row));
    Pump();
}

std::vector<const MenuNode*> RowPictures::Collect() {
    std::vector<const MenuNode*> changed;
    for (PictureAnswer& answer : reader_.TakeAnswers()) {
        for (std::optional<Reading>& reading : reading_) {
            if (!reading || reading->ticket != answer.ticket)
                continue;
            const Job job = std::move(reading->job);
            reading.reset();
            if (StoreAnswer(job, answer.icon))
                changed.push_back(job.row);
        }
    }
    Pump();
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

// Rows deleted or edited since they were queued, and rows read already, are passed over.
void RowPictures::Start(Job job, bool urgent) {
    if (job.alive.expired() || !Wanted(*job.row))
        return;
    LinkEntry& entry = *job.row->Tag();
    entry.pictureState = LinkEntry::PictureState::Read; // unless a read starts below
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
    reading_[SlotOf(urgent)] = Reading{ticket, std::move(job)};
}

void RowPictures::StartSlow(Job job, const std::string& path) {
    job.row->Tag()->pictureState = LinkEntry::PictureState::Reading;
    if (slowReads_ >= SlowReadLimit) {
        waitingSlow_.emplace_back(std::move(job), path);
        return;
    }
    std::weak_ptr<RowPictures*> self = self_;
    auto done = [self, job](std::optional<RawIcon> icon) {
        if (const auto alive = self.lock())
            (*alive)->SlowAnswered(job, std::move(icon));
    };
    ++slowReads_;
    if (!drives_.RequestIconInBackground(path, side_, std::move(done))) {
        --slowReads_;
        job.row->Tag()->pictureState = LinkEntry::PictureState::Read;
    }
}

void RowPictures::SlowAnswered(const Job& job, std::optional<RawIcon> icon) {
    --slowReads_;
    if (!stopped_)
        StoreAnswer(job, icon);
    StartWaitingSlow();
}

void RowPictures::StartWaitingSlow() {
    while (!stopped_ && slowReads_ < SlowReadLimit && !waitingSlow_.empty()) {
        auto [job, path] = std::move(waitingSlow_.front());
        waitingSlow_.pop_front();
        if (!job.alive.expired())
            StartSlow(std::move(job), path);
    }
}

// True when the row now shows a picture of its own.
bool RowPictures::StoreAnswer(const Job& job, const std::optional<RawIcon>& icon) {
    if (job.alive.expired())
        return false; // deleted, or edited and queued afresh
    LinkEntry& entry = *job.row->Tag();
    entry.pictureState = LinkEntry::PictureState::Read;
    const std::optional<IconPixels> pixels = PictureOfIcon(icon, side_);
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
