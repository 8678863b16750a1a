// A skin component holding one bundled skin, registered with nothing (for Win32 tests that link
// the skin model).
#pragma once

#include <memory>

#include "skin/core/skin_data.h"
#include "tests/support/bundled_skins.h"

namespace qs::test {

inline std::unique_ptr<TSkinData> LoadBundledSkin(const char* id) {
    auto skin = std::make_unique<TSkinData>(nullptr);
    const std::vector<uint8_t>& bytes = BundledSkinBytes(id);
    skin->SkinStream().Write(bytes.data(), bytes.size());
    skin->LoadSkin();
    return skin;
}

} // namespace qs::test
