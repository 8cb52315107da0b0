// Scripts run from the terminal's script mode (and its load(path) form) and from the run-code
// command. A run's printed output is caught in a temporary file and shown: in the console, or
// as a read-only document in a new tab. Script errors show only their result number.
#include <algorithm>
#include <memory>

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

// What a run printed; past the size limit its start and a line that says how long it was.
std::optional<std::string> capturedOutput(const std::wstring &path) {
    uint64_t total = 0;
    std::optional<std::string> output = readCapped(path, kScriptFileLimit, total);
    if (output && total > output->size()) *output += cutNote(output->size(), total);
    return output;
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

void Tovrel::RunKscriptBuffer(const std::string &source, std::function<void()> after) {
    if (activeTab < 0 || activeTab >= int(tabs.size()) || !GetActiveTab().isTerminal) return;
    EditorTab *tab = &GetActiveTab();
    HWND console = tab->consoleWindow;
    auto show = [this, console, after](const std::string &output) {
        if (!output.empty()) AppendTerminalOutput(FindTabByConsole(console), utf8ToWide(output));
        ShowTerminalPrompt();
        if (after) after();
    };
    std::string text = source;
    trim(text);
    std::string file;
    if (const std::optional<std::string> path = loadPath(text)) {
        const SourceRead read = readSourceFile(utf8ToWide(*path), file);
        const wchar_t *failure = nullptr;
        const std::wstring tooLarge = L"错误: 文件超过 " + std::to_wstring(kScriptFileLimit) + L" 字节, 未运行\n";
        if (read == SourceRead::TooLarge) failure = tooLarge.c_str();
        else if (read == SourceRead::Unreadable) failure = L"错误: 读取文件失败\n";
        else if (file.empty() || static_cast<unsigned char>(file[0]) == 0xFF) failure = L"File not found or empty.\n";
        if (failure != nullptr) {
            AppendTerminalOutput(tab, failure);
            return show(std::string());
        }
        text = std::move(file);
    }
    RunKscriptCaptured(tab, text, show);
}

void Tovrel::RunKscriptCaptured(EditorTab *tab, const std::string &source,
                                std::function<void(const std::string &)> then) {
    auto capture = std::make_shared<CaptureFile>();
    bool folderRead = false;
    if (!capture->create(folderRead)) {
        AppendTerminalOutput(tab, folderRead ? L"错误: 无法创建临时文件名\n" : L"错误: 无法获取临时目录路径\n");
        return then(std::string());
    }
    auto result = std::make_shared<std::optional<int>>();
    HWND console = tab->consoleWindow;
    const bool started = StartRun(
        [this, source, capture, result] { *result = runInto(calculator, source, capture->path()); },
        [this, console, capture, result, then] {
            // What the user typed meanwhile stays the input, after the output and the prompt.
            AppendKeepingTypedInput(console, [this, &capture, &result, &then](EditorTab *terminal) {
                if (!*result) {
                    AppendTerminalOutput(terminal, L"错误: 无法打开临时文件进行写入\n");
                } else if (runStopped) {
                    AppendTerminalOutput(terminal, L"Stopped.\n");
                } else if (**result != 0) {
                    AppendTerminalOutput(terminal,
                                         L"错误: Kscript 执行失败 (返回码: " + std::to_wstring(**result) + L")\n");
                } else if (const std::optional<std::string> output = capturedOutput(capture->path())) {
                    return then(*output);
                } else {
                    AppendTerminalOutput(terminal, L"错误: 读取结果文件失败\n");
                }
                then(std::string());
            });
        });
    if (!started) then(std::string());
}

void Tovrel::RunByKscript() {
    HWND main = mainWindow.GetHandle();
    if (RunBusy()) {
        MessageBoxW(main, L"A computation is still running; Ctrl+C in the terminal stops it.", L"Kavlo",
                    MB_OK | MB_ICONINFORMATION);
        return;
    }
    if (!ConfirmRunOfActiveTab(L"Current file has unsaved changes. Run by Kscript?")) return;
    const std::optional<std::string> source = ActiveDocumentText();
    if (!source) return;
    auto capture = std::make_shared<CaptureFile>();
    bool folderRead = false;
    if (!capture->create(folderRead)) {
        MessageBoxW(main, L"无法创建临时文件!", L"Error", MB_OK | MB_ICONERROR);
        return;
    }
    auto result = std::make_shared<std::optional<int>>();
    StartRun([this, source = *source, capture, result] { *result = runInto(calculator, source, capture->path()); },
             [this, main, capture, result] {
                 if (!*result) {
                     MessageBoxW(main, L"无法打开文件!", L"Error", MB_OK | MB_ICONERROR);
                     return;
                 }
                 if (**result != 0) {
                     MessageBoxW(main, runStopped ? L"Stopped." : L"Kscript execution failed!", L"Error",
                                 MB_OK | MB_ICONERROR);
                     return;
                 }
                 const std::optional<std::string> output = capturedOutput(capture->path());
                 if (!output) {
                     MessageBoxW(main, L"无法读取结果文件内容!", L"Error", MB_OK | MB_ICONERROR);
                     return;
                 }
                 // The file is the new tab's document and stays on disk.
                 const std::wstring path = capture->path();
                 capture->keep();
                 ShowResultTab(*output, path, false);
                 if (activeTab >= 0 && GetActiveTab().path == path) UpdateTabLabel(&GetActiveTab());
             });
}
