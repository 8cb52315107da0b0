// The TeX command in the window: what it previews, when it stops with a message, and a preview
// without any browser to show it in. The page itself in a browser: tests/shell_host.
#include <chrono>

#include "commands.h"
#include "shell_test_support.h"

namespace {

class LatexPreviewTest : public ShellTest {
  protected:
    void setText(const std::string &text) {
        SendMessageW(shell->GetActiveEditor(), SCI_SETTEXT, 0, reinterpret_cast<LPARAM>(text.c_str()));
        SendMessageW(shell->GetActiveEditor(), SCI_SETSEL, 0, 0);
    }
    // The command, and then the browser start waited for; how long the command itself took.
    long long pressTex() {
        const auto start = std::chrono::steady_clock::now();
        SendMessageW(main(), WM_COMMAND, CmdToolLatex, 0);
        const auto took = std::chrono::steady_clock::now() - start;
        for (int round = 0; round < 6000 && shell->LatexPreviewStarting(); ++round) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            pump(*shell);
        }
        for (int round = 0; round < 20; ++round) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
            pump(*shell);
        }
        return std::chrono::duration_cast<std::chrono::milliseconds>(took).count();
    }
    std::vector<std::pair<std::wstring, std::wstring>> seenBoxes() {
        std::vector<std::pair<std::wstring, std::wstring>> all;
        for (const SeenBox &box : boxes.seen()) all.emplace_back(box.caption, box.text);
        return all;
    }
};

using Boxes = std::vector<std::pair<std::wstring, std::wstring>>;

TEST_F(LatexPreviewTest, NothingToPreviewStopsWithItsMessageAndOpensNothing) {
    const Boxes nothing{{L"提示", L"编辑器中没有 LaTeX 内容！"}};
    pressTex(); // an empty document
    EXPECT_EQ(seenBoxes(), nothing);
    boxes.forget();
    setText("$x$");
    shell->OpenTerminal(); // its editor is the hidden, empty one
    pump(*shell);
    pressTex();
    EXPECT_EQ(seenBoxes(), nothing);
    boxes.forget();
    boxes.answer({IDYES}); // the document was typed into: drop it
    shell->CloseAllTabs();
    pump(*shell);
    boxes.forget();
    pressTex();
    EXPECT_EQ(seenBoxes(), (Boxes{{L"错误", L"没有活动的标签页!"}}));
    EXPECT_EQ(shell->latexWindow, 0u);
    EXPECT_FALSE(shell->LatexPreviewStarting());
}

// No browser is registered in the tests' wine prefix, and wine's handler of addresses (the
// system's default browser) is kept from starting for the programs this test starts: the
// command answers at once, the window goes on answering while a start is tried, and one
// message says what happened.
TEST_F(LatexPreviewTest, WithoutBrowserOneMessageAndTheWindowKeepsAnswering) {
    wchar_t overrides[512] = L"";
    const DWORD had = GetEnvironmentVariableW(L"WINEDLLOVERRIDES", overrides, 512);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", (std::wstring(had > 0 && had < 512 ? overrides : L"") +
                                                  L";winebrowser.exe=d")
                                                     .c_str());
    setText("first \xE4\xB8\xAD $x^2$ last");
    SendMessageW(shell->GetActiveEditor(), SCI_SETSEL, 6, 15);
    std::atomic<long long> longest{0};
    std::atomic<bool> stop{false};
    std::thread pinger([&] {
        while (!stop) {
            const auto start = std::chrono::steady_clock::now();
            DWORD_PTR result = 0;
            SendMessageTimeoutW(main(), WM_NULL, 0, 0, SMTO_NORMAL, 5000, &result);
            const long long took = std::chrono::duration_cast<std::chrono::milliseconds>(
                                       std::chrono::steady_clock::now() - start)
                                       .count();
            if (took > longest) longest = took;
            Sleep(5);
        }
    });
    const long long took = pressTex();
    stop = true;
    pinger.join();
    EXPECT_LT(took, 1000);
    EXPECT_LT(longest.load(), 1000);
    EXPECT_EQ(shell->latexText, "\xE4\xB8\xAD $x^2$") << "the selection only";
    EXPECT_EQ(seenBoxes(), (Boxes{{L"错误", L"没有找到可用的浏览器，无法显示 LaTeX 预览！"}}));
    EXPECT_EQ(shell->latexWindow, 0u);
    EXPECT_TRUE(shell->latexFolder.empty()) << "the served folder went with the window";

    boxes.forget();
    SendMessageW(shell->GetActiveEditor(), SCI_SETSEL, 3, 3);
    pressTex();
    EXPECT_EQ(shell->latexText, "first \xE4\xB8\xAD $x^2$ last") << "an empty selection previews the whole text";
    EXPECT_EQ(seenBoxes().size(), 1u);
    SetEnvironmentVariableW(L"WINEDLLOVERRIDES", had > 0 && had < 512 ? overrides : nullptr);
}

} // namespace
