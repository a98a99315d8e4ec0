#include "platform/paths.h"

#include "platform/text.h"

namespace vornel {

bool joinPath(std::wstring& out, std::wstring_view folder, std::wstring_view name) {
    out.clear();
    if (folder.size() + 1 + name.size() > kMaxPathChars) return false;
    out.reserve(folder.size() + 1 + name.size());
    out.append(folder);
    out.push_back(L'\\');
    out.append(name);
    return true;
}

bool joinPathOrWarn(std::wstring& out, std::wstring_view folder, std::wstring_view name, WindowRef owner,
                    std::wstring_view caption) {
    if (joinPath(out, folder, name)) return true;
    std::wstring text = widen("ファイルのパスが長すぎます。[");
    text.append(folder);
    text.push_back(L'\\');
    text.append(name);
    text.push_back(L']');
    platform().warn(owner, caption, text);
    return false;
}

}  // namespace vornel
