// Scripts run from the terminal's script mode (and its load(path) form) and from the run-code
// command. A run's printed output is caught in a temporary file and shown: in the console, or
// as a read-only document in a new tab. Script errors show only their result number.
#include <algorithm>

#include "entry/line_entry.h"
#include "script_files.h"
#include "text_codec.h"
#include "tovrel.h"
#include "tools.h"

namespace {

// The load form: "load(" + path + ")" with the ")" last.
std::optional<std::string> loadPath(const std::string &source) {
    const size_t open = source.find('('), close = source.find(')');
    if (open == std::string::npos || close == std::string::npos || open > close) return std::nullopt;
    if (source.substr(0, open) != "load" || close + 1 != source.size()) return std::nullopt;
    return source.substr(open + 1, close - open - 1);
}

std::wstring cutNote(uint64_t total) {
    return L"\n(输出过长, 只显示前 " + std::to_wstring(kScriptFileLimit) + L" 字节; 共 " + std::to_wstring(total) +
           L" 字节)\n";
}

// Runs the source printing into the file; the script's result (0 ok, 1 compile, 2 runtime).
std::optional<int> runInto(Calculator &calculator, const std::string &source, const std::wstring &path) {
    FILE *out = _wfopen(path.c_str(), L"wb");
    if (out == nullptr) return std::nullopt;
    const int result = kscriptInterpret(calculator, source.c_str(), out);
    std::fclose(out);
    return result;
}

} // namespace

void Tovrel::RunKscriptBuffer(const std::string &source) {
    if (activeTab < 0 || activeTab >= int(tabs.size()) || !GetActiveTab().isTerminal) return;
    EditorTab *tab = &GetActiveTab();
    std::string text = source;
    trim(text);
    if (const std::optional<std::string> path = loadPath(text)) {
        std::string file;
        const SourceRead read = readSourceFile(utf8ToWide(*path), file);
        if (read == SourceRead::TooLarge)
            AppendTerminalOutput(tab, L"错误: 文件超过 " + std::to_wstring(kScriptFileLimit) + L" 字节, 未运行\n");
        else if (read == SourceRead::Unreadable)
            AppendTerminalOutput(tab, L"错误: 读取文件失败\n");
        else if (file.empty() || static_cast<unsigned char>(file[0]) == 0xFF)
            AppendTerminalOutput(tab, L"File not found or empty.\n");
        else
            AppendTerminalOutput(tab, utf8ToWide(RunKscriptCaptured(tab, file)));
    } else {
        const std::string output = RunKscriptCaptured(tab, text);
        if (!output.empty()) AppendTerminalOutput(tab, utf8ToWide(output));
    }
    ShowTerminalPrompt();
}

std::string Tovrel::RunKscriptCaptured(EditorTab *tab, const std::string &source) {
    CaptureFile capture;
    bool folderRead = false;
    if (!capture.create(folderRead)) {
        AppendTerminalOutput(tab, folderRead ? L"错误: 无法创建临时文件名\n" : L"错误: 无法获取临时目录路径\n");
        return std::string();
    }
    const std::optional<int> result = runInto(calculator, source, capture.path());
    if (!result) {
        AppendTerminalOutput(tab, L"错误: 无法打开临时文件进行写入\n");
        return std::string();
    }
    if (*result != 0) {
        AppendTerminalOutput(tab, L"错误: Kscript 执行失败 (返回码: " + std::to_wstring(*result) + L")\n");
        return std::string();
    }
    uint64_t total = 0;
    std::optional<std::string> output = readCapped(capture.path(), kScriptFileLimit, total);
    if (!output) {
        AppendTerminalOutput(tab, L"错误: 读取结果文件失败\n");
        return std::string();
    }
    if (total > output->size()) *output += wideToUtf8(cutNote(total));
    return *output;
}

void Tovrel::RunByKscript() {
    if (!ConfirmRunOfActiveTab(L"Current file has unsaved changes. Run by Kscript?")) return;
    const std::optional<std::string> source = ActiveDocumentText();
    if (!source) return;
    HWND main = mainWindow.GetHandle();
    CaptureFile capture;
    bool folderRead = false;
    if (!capture.create(folderRead)) {
        MessageBoxW(main, L"无法创建临时文件!", L"Error", MB_OK | MB_ICONERROR);
        return;
    }
    const std::optional<int> result = runInto(calculator, *source, capture.path());
    if (!result) {
        MessageBoxW(main, L"无法打开文件!", L"Error", MB_OK | MB_ICONERROR);
        return;
    }
    if (*result != 0) {
        MessageBoxW(main, L"Kscript execution failed!", L"Error", MB_OK | MB_ICONERROR);
        return;
    }
    uint64_t total = 0;
    std::optional<std::string> output = readCapped(capture.path(), kScriptFileLimit, total);
    if (!output) {
        MessageBoxW(main, L"无法读取结果文件内容!", L"Error", MB_OK | MB_ICONERROR);
        return;
    }
    if (total > output->size()) *output += wideToUtf8(cutNote(total));
    // The file is the new tab's document and stays on disk.
    const std::wstring path = capture.path();
    capture.keep();
    ShowResultTab(*output, path, false);
    if (activeTab >= 0 && GetActiveTab().path == path) UpdateTabLabel(&GetActiveTab());
}
