#pragma once
// Even indexes of the pictures in the main image list; the odd index after each holds
// that picture's alpha.

namespace vantrel {

enum ImageIndex : int {
    ImageNone = -1, // the entry's own pixels
    ImagePower = 0,
    ImageGear = 2,
    ImageHomePage = 4,
    ImageKeys = 6,
    ImageAbout = 8,
    ImageLock = 10,
    ImageSleep = 12,
    ImageReboot = 14,
    ImageScreensaver = 16,
    ImageAddNewItem = 18,
    ImageDeleteItem = 20,
    ImageEditItem = 22,
    ImageActions = 24,
    ImageRunGroup = 26,
    ImageRunItem = 28,
    ImageOpenLink = 30,
    ImageCopyLink = 32,
    ImageMoveUp = 34,
    ImageMoveDown = 36,
    ImageApplicationsGroup = 38,
    ImageDiskDrives = 40,
    ImageSystemLinks = 42,
    ImageOperations = 44,
    ImageNetworkResources = 46,
    ImageRun = 48,
    ImageApplications = 50,
    ImageInternetLinks = 52,
    ImageFilesAndFolders = 54,
    ImageNetworkGroup = 56,
    ImageInternetGroup = 58,
    ImageNetworkItem = 60,
    ImageCheckForUpdates = 62,
    ImageInternetExplorer = 64,
    ImageRunAtStartup = 66,
    ImageFirefox = 68,
    ImageChrome = 70,
    ImageOpera = 72,
    ImageDocument = 74, // a file's own picture until it has arrived
    ImageFolder = 76,   // a folder's likewise
    ImageSettings = 78,
    ImageFind = 80,
};

constexpr int ImagePictureCount = 41;

} // namespace vantrel
