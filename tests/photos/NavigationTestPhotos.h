#pragma once

#include "control/VeltoraControl.h"
#include "fixtures/JpegExifWriter.h"
#include "platform/ScriptedPlatform.h"
#include "support/TempDir.h"

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

namespace pelmark::test {

// A control whose photo list holds `count` generated photos, opened as a folder the way a host opens
// one. Photo k's maker reads "maker <k's file name>", so a test can tell which photo is current.
// Pictures are switched on afterwards, so each load of a ".jpg" shows up in the platform's count of
// picture loads.
struct NavigationTestPhotos {
    NavigationTestPhotos(ScriptedPlatform& scripted, int count) : platform(scripted), control(scripted) {
        for (int k = 1; k <= count; ++k) {
            std::string name = "photo" + std::to_string(k) + ".jpg";
            fixtures::JpegExifWriter photo;
            photo.main(fixtures::asciiEntry(0x010F, "maker " + name)).withPicture();
            folder.write(name, photo.bytes());
        }
        if (count > 0) {
            Variant path(folder.folder());
            control.OpenFolder(path);
        }
        control.surface().setValue("ShowPictures", 1);
        // Photo numbers follow the names: photo1, photo10, photo11, photo12, photo2, ...
        for (const auto& entry : std::filesystem::directory_iterator(folder.path()))
            paths.push_back(folder.folder() + entry.path().filename().string());
        std::sort(paths.begin(), paths.end());
        platform.takeDialogs();
        loadsSeen = platform.pictureLoads();
    }

    // Makes `number` current as a user typing it would, then forgets the loads and dialogs that took.
    void startOn(int number) {
        control.surface().userSetText("ActPictNum", std::to_string(number));
        platform.takeDialogs();
        newLoads();
    }

    // Photo loads since the last call.
    int newLoads() {
        int now = platform.pictureLoads();
        int loads = now - loadsSeen;
        loadsSeen = now;
        return loads;
    }

    std::string path(int number) const { return paths.at(static_cast<std::size_t>(number - 1)); }
    // The maker text that the photo with this number carries.
    std::string makerOf(int number) const { return "maker " + path(number).substr(folder.folder().size()); }
    std::string filePath() { return control.surface().text("FilePath"); }
    std::string field() { return control.surface().text("ActPictNum"); }
    int spin() { return control.surface().value("UpDown1"); }

    ScriptedPlatform& platform;
    TempDir folder;
    VeltoraControl control;
    std::vector<std::string> paths;
    int loadsSeen = 0;
};

} // namespace pelmark::test
