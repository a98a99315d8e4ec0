// The summary figure of a batch estimation, against the order of the records
// (their 日時 as axis labels): the observed H1/3 with the Ho of the ◯
// candidate (or of each Smax where none has a ◯), and the observed direction
// with θo.
#pragma once

#include <vector>

#include "estimation/batch_report.h"
#include "mapview/plot.h"

namespace vornel {

// The two panels laid out in `frame` (heights above, directions below). The
// candidates' `mark` must already hold the agreement with the relation.
std::vector<PlotPanel> batchPanels(const std::vector<WaveRecord>& records,
                                   const std::vector<BatchRecordResult>& results, PixelRect frame);

void drawBatchFigure(Canvas& canvas, const std::vector<WaveRecord>& records,
                     const std::vector<BatchRecordResult>& results, PixelRect frame);

}  // namespace vornel
