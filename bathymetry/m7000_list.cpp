#include "bathymetry/m7000_list.h"

namespace vornel {

namespace {
M7000SeriesList seriesList;
M7000DataSetList dataSetList;
}  // namespace

M7000SeriesList& m7000SeriesList() {
    return seriesList;
}
M7000DataSetList& m7000DataSetList() {
    return dataSetList;
}

void resetM7000Lists() {
    seriesList.m7000SeriesCount = 0;
    dataSetList.m7000DataSetCount = 0;
}

}  // namespace vornel
