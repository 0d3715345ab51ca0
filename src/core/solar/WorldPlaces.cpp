#include "core/solar/WorldPlaces.h"

#include <algorithm>
#include <numeric>

#include "core/common/Profile.h"
#include "core/common/SharedLibrary.h"

namespace varnel {
namespace {

// Base letters of U+00C0..U+017F; '*' where there is none.
constexpr std::string_view kLatinBase =
    "AAAAAAACEEEEIIIIDNOOOOO*OUUUUYTsaaaaaaaceeeeiiiidnooooo*ouuuuytyAaAaAaCcCcCcCcDdDdEeEeEeEeEeGgGgGgGgHhHhIiIiIiIi"
    "IiIiJjKkkLlLlLlLlLlNnNnNnnNnOoOoOoOoRrRrRrSsSsSsSsTtTtTtUuUuUuUuUuUuWwYyYZzZzZzs";

char LowerAscii(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

// The libgeonames calls the list needs; its cities are GVariants, handled
// here as opaque pointers.
struct GeonamesLibrary {
    using City = void*;
    int (*count)() = nullptr;
    City (*city)(int) = nullptr;
    void (*free)(City) = nullptr;
    const char* (*name)(City) = nullptr;
    const char* (*state)(City) = nullptr;
    const char* (*country)(City) = nullptr;
    const char* (*timezone)(City) = nullptr;
    double (*latitude)(City) = nullptr;
    double (*longitude)(City) = nullptr;
    unsigned (*population)(City) = nullptr;

    // Empty when every call was found, else what is missing.
    std::string Open() {
        const SharedLibrary library("libgeonames.so.0");
        if (!library.Loaded()) return "the world list (libgeonames) is not installed";
        const bool all = library.Bind(count, "geonames_get_n_cities") && library.Bind(city, "geonames_get_city") &&
                         library.Bind(free, "geonames_city_free") && library.Bind(name, "geonames_city_get_name") &&
                         library.Bind(state, "geonames_city_get_state") &&
                         library.Bind(country, "geonames_city_get_country") &&
                         library.Bind(timezone, "geonames_city_get_timezone") &&
                         library.Bind(latitude, "geonames_city_get_latitude") &&
                         library.Bind(longitude, "geonames_city_get_longitude") &&
                         library.Bind(population, "geonames_city_get_population");
        return all ? std::string() : "the world list (libgeonames) lacks a function it should have";
    }
};

bool HasPrefix(std::string_view text, std::string_view prefix) {
    return text.size() >= prefix.size() && text.compare(0, prefix.size(), prefix) == 0;
}

// Whether a word of the text (at its start or after a blank) begins with the prefix.
bool WordBegins(std::string_view text, std::string_view prefix) {
    for (size_t at = 0; at != std::string_view::npos; at = text.find(' ', at)) {
        if (text[at] == ' ') ++at;
        if (HasPrefix(text.substr(at), prefix)) return true;
    }
    return false;
}

}  // namespace

std::string FoldForSearch(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (size_t i = 0; i < text.size(); ++i) {
        const auto c = static_cast<unsigned char>(text[i]);
        // Two-byte UTF-8 of U+00C0..U+017F.
        if ((c == 0xC3 || c == 0xC4 || c == 0xC5) && i + 1 < text.size()) {
            const auto next = static_cast<unsigned char>(text[i + 1]);
            const unsigned cp = ((c & 0x1Fu) << 6) | (next & 0x3Fu);
            if ((next & 0xC0) == 0x80 && cp >= 0xC0 && cp < 0x180 && kLatinBase[cp - 0xC0] != '*') {
                out += LowerAscii(kLatinBase[cp - 0xC0]);
                ++i;
                continue;
            }
        }
        out += LowerAscii(static_cast<char>(c));
    }
    return out;
}

std::string FullName(const WorldPlace& place) {
    std::string name(place.name);
    if (!place.region.empty() && place.region != place.name) name += ", " + std::string(place.region);
    if (!place.country.empty()) name += ", " + std::string(place.country);
    return name;
}

WorldPlaces::WorldPlaces(std::vector<WorldPlace> places) { Index(std::move(places)); }

void WorldPlaces::Index(std::vector<WorldPlace> places) {
    places_ = std::move(places);
    std::stable_sort(places_.begin(), places_.end(),
                     [](const WorldPlace& a, const WorldPlace& b) { return a.population > b.population; });
    foldedAt_.reserve(places_.size() + 1);
    for (const WorldPlace& p : places_) {
        foldedAt_.push_back(static_cast<uint32_t>(folded_.size()));
        folded_ += FoldForSearch(p.name);
    }
    foldedAt_.push_back(static_cast<uint32_t>(folded_.size()));
}

const WorldPlaces& WorldPlaces::Shared() {
    static const WorldPlaces list = [] {
        GeonamesLibrary geonames;
        std::string error = geonames.Open();
        if (!error.empty()) {
            WorldPlaces empty;
            empty.loadError_ = std::move(error);
            return empty;
        }
        // The texts go into one block first, then the views are made into
        // the block where the list keeps it.
        struct Offsets {
            size_t name, region, country, zone, end;
        };
        std::string storage;
        std::vector<Offsets> offsets;
        std::vector<WorldPlace> places;
        const int n = std::max(0, geonames.count());
        offsets.reserve(static_cast<size_t>(n));
        places.reserve(static_cast<size_t>(n));
        for (int i = 0; i < n; ++i) {
            GeonamesLibrary::City city = geonames.city(i);
            if (!city) continue;
            const auto text = [](const char* s) { return std::string_view(s ? s : ""); };
            Offsets o{};
            o.name = storage.size();
            storage += text(geonames.name(city));
            o.region = storage.size();
            storage += text(geonames.state(city));
            o.country = storage.size();
            storage += text(geonames.country(city));
            o.zone = storage.size();
            storage += text(geonames.timezone(city));
            o.end = storage.size();
            offsets.push_back(o);
            places.push_back({{}, {}, {}, {}, geonames.latitude(city), geonames.longitude(city), geonames.population(city)});
            geonames.free(city);
        }
        WorldPlaces list;
        list.storage_ = std::move(storage);
        list.storage_.shrink_to_fit();
        const std::string_view all(list.storage_);
        for (size_t i = 0; i < places.size(); ++i) {
            const Offsets& o = offsets[i];
            places[i].name = all.substr(o.name, o.region - o.name);
            places[i].region = all.substr(o.region, o.country - o.region);
            places[i].country = all.substr(o.country, o.zone - o.country);
            places[i].zone = all.substr(o.zone, o.end - o.zone);
        }
        list.Index(std::move(places));
        return list;
    }();
    return list;
}

std::vector<const WorldPlace*> WorldPlaces::Search(std::string_view text, size_t limit) const {
    return Find(text, false, limit);
}

std::vector<const WorldPlace*> WorldPlaces::Named(std::string_view text) const { return Find(text, true, SIZE_MAX); }

std::vector<const WorldPlace*> WorldPlaces::Find(std::string_view text, bool wholeName, size_t limit) const {
    std::vector<const WorldPlace*> found;
    const std::string wanted = FoldForSearch(TrimmedView(text));
    const size_t comma = wanted.find(',');
    const std::string_view name = TrimmedView(std::string_view(wanted).substr(0, comma));
    const std::string_view rest = comma == std::string::npos ? std::string_view() : TrimmedView(std::string_view(wanted).substr(comma + 1));
    if (name.empty()) return found;
    const std::string_view folded(folded_);
    for (size_t i = 0; i < places_.size() && found.size() < limit; ++i) {
        const std::string_view candidate = folded.substr(foldedAt_[i], foldedAt_[i + 1] - foldedAt_[i]);
        if (wholeName ? candidate != name : !HasPrefix(candidate, name)) continue;
        if (!rest.empty()) {
            const WorldPlace& p = places_[i];
            // "Portland, Oregon", "Portland, Maine" (State of Maine), "Portland, United States".
            const std::string where = FoldForSearch(std::string(p.region) + ", " + std::string(p.country));
            if (!WordBegins(where, rest)) continue;
        }
        found.push_back(&places_[i]);
    }
    return found;
}

size_t WorldPlaces::MemoryBytes() const {
    return storage_.capacity() + places_.capacity() * sizeof(WorldPlace) + folded_.capacity() +
           foldedAt_.capacity() * sizeof(uint32_t);
}

}  // namespace varnel
