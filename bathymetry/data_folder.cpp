#include "bathymetry/data_folder.h"

#include "platform/paths.h"
#include "platform/platform.h"

namespace vornel {

namespace {

DataFolders folders;

}  // namespace

DataFolders& dataFolders() {
    return folders;
}

void resetDataFolders() {
    folders = DataFolders{};
}

bool dataFolderPath(std::wstring& out) {
    return joinPath(out, folders.programFolder, kDataFolderName);
}

bool dataFilePath(std::wstring& out, std::wstring_view name) {
    std::wstring folder;
    return dataFolderPath(folder) && joinPath(out, folder, name);
}

bool harbourContourPath(std::wstring& out, std::string_view ansiRegion, std::string_view ansiName) {
    std::wstring regionFolder;
    if (!dataFilePath(regionFolder, platform().fromCp932(ansiRegion))) return false;
    return joinPath(out, regionFolder, platform().fromCp932(ansiName) + L".con");
}

}  // namespace vornel
