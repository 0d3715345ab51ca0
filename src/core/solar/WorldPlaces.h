#pragma once
// The world list of places: about 24,000 cities with their region, country,
// coordinates and zone, from Debian's libgeonames. That library is opened
// only when the list is first asked for, and read once into plain values,
// so nothing else of the program depends on it or on GLib.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace varnel {

struct WorldPlace {
    std::string_view name;     // "Baltimore"
    std::string_view region;   // "Maryland"
    std::string_view country;  // "United States of America"
    std::string_view zone;     // "America/New_York"
    double latitude = 0;       // degrees north
    double longitude = 0;      // degrees east
    uint32_t population = 0;
};

// How a place of the list is named in the settings and the texts:
// "Baltimore, Maryland, United States of America" (a region that repeats
// the name is left out).
std::string FullName(const WorldPlace& place);

// Text folded for matching: ASCII letters lower-cased, Latin letters with
// marks taken as their base letter ("Tromsø" matches "tromso").
std::string FoldForSearch(std::string_view text);

class WorldPlaces {
public:
    // The list of the installed library, read on first use; empty (with the
    // reason in LoadError) when the library cannot be opened.
    static const WorldPlaces& Shared();
    // A list of given places, whose texts outlive it (tests, another source).
    explicit WorldPlaces(std::vector<WorldPlace> places);
    WorldPlaces(const WorldPlaces&) = delete;
    WorldPlaces& operator=(const WorldPlaces&) = delete;
    WorldPlaces(WorldPlaces&&) = default;

    size_t Size() const { return places_.size(); }
    const std::string& LoadError() const { return loadError_; }
    const WorldPlace& At(size_t i) const { return places_[i]; }

    // Places matching what a user typed, most populous first, at most
    // `limit`: the text's first part (up to a comma) begins the name and
    // the rest begins the region or the country, ignoring case and marks.
    std::vector<const WorldPlace*> Search(std::string_view text, size_t limit = SIZE_MAX) const;
    // The same, with the first part the whole name.
    std::vector<const WorldPlace*> Named(std::string_view text) const;
    // Bytes held by the list.
    size_t MemoryBytes() const;

private:
    WorldPlaces() = default;
    // Orders the places and folds their names for searching.
    void Index(std::vector<WorldPlace> places);
    std::vector<const WorldPlace*> Find(std::string_view text, bool wholeName, size_t limit) const;

    std::string storage_;           // the texts the places' views point into
    std::vector<WorldPlace> places_;  // most populous first
    std::string folded_;            // each name folded, in order, without separators
    std::vector<uint32_t> foldedAt_;  // where each folded name begins; one more at the end
    std::string loadError_;
};

}  // namespace varnel
