// The M7000 index file M7000.grd, read against a fixed data-set list; data
// sets it lacks are loaded to measure them and the index is written anew.
#include "bathymetry/data_folder.h"
#include "bathymetry/m7000_index.h"
#include "bathymetry/m7000_list.h"
#include "fuzz_support.h"
#include "platform/text.h"
#include "shell/app_state.h"

using namespace vornel;

extern "C" int LLVMFuzzerInitialize(int*, char***) {
    const std::string& folder = fuzz::programFolder();
    fuzz::writeFile("M7000/M7002.txt",
                    "         1   5.00 42.57809 141.47913                     1\r\n"
                    "         2   5.00 42.57836 141.48107                     1\r\n"
                    "         3  10.00 42.57855 141.48204                     2\r\n");
    dataFolders().m7000Folder = widen(folder + "/M7000");
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    fuzz::writeFile("Db01/M7000.grd", data, size);
    resetM7000Lists();
    M7000DataSetList& sets = m7000DataSetList();
    for (const char* name : {"M7002.txt", "M7009.txt"}) {
        M7000DataSet& set = sets.dataSets[sets.m7000DataSetCount++];
        set = M7000DataSet{};
        copyField(set.fileName, name);
        copyField(set.code, std::string_view(name).substr(0, 5));
    }
    loadM7000Index(nullptr);
    return 0;
}
