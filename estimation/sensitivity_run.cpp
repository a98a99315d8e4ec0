#include "estimation/sensitivity_run.h"

#include "platform/paths.h"
#include "platform/text.h"

namespace vornel {

namespace {

// Puts back the input file of the run on screen, for whoever reads it next.
void restoreInput(const std::wstring& folder, const SolverCase& run) {
    std::wstring path;
    if (!joinPath(path, folder, L"zelvo-in.txt")) return;
    const FolderLock lock = lockSolverFolder(folder);
    if (lock.busy) return;
    ScopedFile file(platform().openFile(path, "wb"));
    if (!file) return;
    const std::string text = solverInputText(run);
    std::fwrite(text.data(), 1, text.size(), file.get());
}

}  // namespace

std::string perturbationName(int input, int sign, double uncertainty) {
    std::string step = uncertaintyText(input, uncertainty);  // "±5.0°"
    step.replace(0, std::string("±").size(), sign < 0 ? "−" : "+");
    return std::string(sensitivityItemName(input)) + " " + step;
}

SensitivityTable computeSensitivity(const std::wstring& folder, const SolverCase& run,
                                    const std::vector<ResultRow>& base, const Uncertainties& u,
                                    const SolverRunSettings& settings,
                                    const std::function<void(int, int, const std::string&)>& progress,
                                    std::vector<SensitivityFailure>& failures) {
    int total = 0;
    for (int input = 0; input < kSensitivityInputs; ++input)
        if (isPerturbed(input, run, u.value[input]) && needsSolverRun(input)) total += 2;

    std::vector<PerturbedRun> runs(2 * kSensitivityInputs);
    const std::wstring title = widen(kSensitivityTitle);
    int done = 0;
    for (int input = 0; input < kSensitivityInputs; ++input) {
        if (!isPerturbed(input, run, u.value[input]) || !needsSolverRun(input)) continue;
        for (int s = 0; s < 2; ++s) {
            const int sign = s == 0 ? -1 : 1;
            const std::string name = perturbationName(input, sign, u.value[input]);
            if (progress) progress(done, total, name);
            ++done;
            SolverCase moved;
            if (!perturbedCase(run, input, sign, u.value[input], moved)) {
                failures.push_back({name, widen("この値では計算できません")});
                continue;
            }
            moved.title = kSensitivityTitle;
            const SolverRun result = runSolverCase(folder, moved, settings);
            std::wstring held;
            deleteOldOutputs(folder, title, held);  // the perturbed run's files are not the user's
            if (result.failure != SolverFailure::None) {
                std::wstring solverPath;
                joinPath(solverPath, folder, L"zelvo_v3.exe");
                failures.push_back({name, solverFailureText(result, solverPath, settings.timeLimit)});
                continue;
            }
            PerturbedRun& out = runs[2 * input + s];
            out.ok = true;
            out.rows.assign(result.result.rows, result.result.rows + std::clamp(result.result.rowCount, 0, kMaxResultRows));
        }
    }
    if (progress) progress(done, total, std::string());
    restoreInput(folder, run);
    return buildSensitivity(run, base, u, runs);
}

}  // namespace vornel
