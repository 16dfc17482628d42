#include "platform/folder_walk.h"

#include <vector>

#include "platform/folder_listing.h"
#include "platform/folder_read_ahead.h"

namespace {

// Listers enough for a share that answers after milliseconds; folders ahead
// few enough that a tree of any size holds a bounded part of it in memory.
constexpr int kListers = 32;
constexpr int kFoldersAhead = 128;

class Walk {
public:
    Walk(const FolderWalkVisitor& visitor, const std::atomic<bool>* stop)
        : m_visitor(visitor), m_stop(stop), m_ahead(kListers, kFoldersAhead) {}

    // The whole listing is read before anything is visited, so the folder is
    // closed again before its subfolders are opened: a deep tree holds one
    // handle at a time.
    bool Folder(const std::string& folder, FolderReadAhead::Place& place) {
        if (m_visitor.waiting && !m_ahead.Ready(place)) m_visitor.waiting();
        FolderReadAhead::Listing listing = m_ahead.Take(place, folder);
        if (!listing) {
            if (m_visitor.unreadable) m_visitor.unreadable(folder, listing.GetFailure().reason);
            return !Stopped();
        }
        const std::vector<ListedEntry>& listed = *listing;
        const char separator = SeparatorAfter(folder);
        const std::string prefix = folder.empty() || folder.back() == separator || folder.back() == '/'
                                       ? folder
                                       : folder + separator;
        place.push_back(0);
        for (size_t i = 0; i < listed.size(); ++i) {
            if (!listed[i].isRealFolder) continue;
            place.back() = static_cast<uint32_t>(i);
            m_ahead.Ask(place, prefix + listed[i].name);
        }
        for (size_t i = 0; i < listed.size(); ++i) {
            if (Stopped()) return false;
            std::string path = prefix + listed[i].name;
            if (listed[i].isRealFolder) {
                place.back() = static_cast<uint32_t>(i);
                if (!Folder(path, place)) return false;
            } else if (m_visitor.entry) {
                m_visitor.entry(FolderEntry{std::move(path), listed[i].isRegularFile});
            }
        }
        place.pop_back();
        return true;
    }

private:
    bool Stopped() const { return m_stop && *m_stop; }

    const FolderWalkVisitor& m_visitor;
    const std::atomic<bool>* m_stop;
    FolderReadAhead m_ahead;
};

}  // namespace

bool WalkFolder(const std::string& folder, const FolderWalkVisitor& visitor, const std::atomic<bool>* stop) {
    if (stop && *stop) return false;
    Walk walk(visitor, stop);
    FolderReadAhead::Place place;
    return walk.Folder(folder, place);
}
