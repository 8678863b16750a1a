// Hostile skins for torture runs: a packed skin changed the way a careless or malicious author
// could change it (ini values, frame counts, margins, members, BMP headers and depths, the
// archive itself), chosen deterministically from a seed. Portable: the native unit test and the
// Wine torture test make the same cases from the same seed.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "skin/res/skin_archive_writer.h"

namespace qs::test {

// What the archive reader should make of a mutated skin.
enum class SkinVerdict {
    Accepted, // the archive still reads; only its contents lie
    Refused,  // the reader does not take it
    Either,   // depends on where the damage falls
};

struct SkinMutation {
    std::string kind;        // one of SkinMutator::Kinds()
    std::string description; // one line for reports
    SkinVerdict verdict = SkinVerdict::Either;
    std::vector<uint8_t> bytes; // the compressed skin, as a .skin file holds it
};

class SkinMutator {
  public:
    // Unpacks a compressed skin; std::invalid_argument when the reader refuses it.
    explicit SkinMutator(const std::vector<uint8_t>& packed);

    static const std::vector<std::string>& Kinds();
    // One mutation of that kind (std::invalid_argument for an unknown kind), picked by seed.
    SkinMutation Mutate(const std::string& kind, uint64_t seed) const;
    // Case n of a run: the kinds take turns, so any run of Kinds().size() cases has each once.
    SkinMutation Case(uint64_t seed, uint64_t n) const;

    const std::vector<TSkinMember>& Members() const { return members_; }
    int32_t Version() const { return version_; }

  private:
    std::vector<TSkinMember> members_;
    int32_t version_ = 0;
};

// The seed of case n of a run seeded with seed (so a case can be made again on its own).
uint64_t CaseSeed(uint64_t seed, uint64_t n);

} // namespace qs::test
