// The skin component's calls into the skin manager, as one narrow seam: the manager fills it in
// when it exists; without it a skin component still loads and models its skin.
#pragma once

#include <functional>

class TSkinData;

struct TSkinManagerLink {
    std::function<bool()> HasManager;
    // Creates the manager if there is none and registers the skin with it.
    std::function<void(TSkinData*)> RegisterSkin;
    std::function<void(TSkinData*)> UnregisterSkin;
    // Installs the window hook on the GUI thread (main-form skins).
    std::function<void()> InstallHook;
    // Makes the skin the request skin and schedules request 1 (skin all), 2 (unskin all) or
    // 3 (refresh) 250 ms later.
    std::function<void(TSkinData*, int request)> Schedule;
    std::function<int()> SkinState;
    std::function<void(int)> SetSkinState;
    // A non-main skin was loaded: skinning on, one more active skin, its owner form skinned now.
    std::function<void(TSkinData*)> StartSkin;
    // Every form skinner using the skin re-reads it.
    std::function<void(TSkinData*)> ReloadSkin;
};

// The process's one link; its members are empty until the manager's unit installs them.
TSkinManagerLink& SkinManagerLink();
