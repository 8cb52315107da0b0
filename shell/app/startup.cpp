// The application object's life: construction, the order in which the user interface is
// created, the libraries loaded at run time, the message loop and destruction.
#include <iterator>

#include "commands.h"
#include "editor_messages.h"
#include "tovrel.h"

namespace {

constexpr wchar_t kMainClass[] = L"TovrelClass";
constexpr wchar_t kSplitterClass[] = L"SplitterClass";
constexpr wchar_t kMainTitle[] = L"Tovrel (Scintilla 5.x)";
constexpr int kInitialWidth = 800, kInitialHeight = 600;

constexpr BYTE kCtrl = FCONTROL | FVIRTKEY;
constexpr ACCEL kAccelerators[] = {
    {kCtrl, 'O', CmdOpen},          {kCtrl, 'N', CmdNew},
    {kCtrl, 'S', CmdSave},          {kCtrl, 'W', CmdClose},
    {kCtrl, 'Z', CmdUndo},          {kCtrl, 'Y', CmdRedo},
    {kCtrl, 'X', CmdCut},           {kCtrl, 'C', CmdCopy},
    {kCtrl, 'V', CmdPaste},         {kCtrl, 'A', CmdSelectAll},
    {kCtrl, 'G', CmdGotoLine},      {kCtrl, 'F', CmdFind},
    {kCtrl, 'H', CmdReplace},       {FVIRTKEY, VK_F3, CmdFindNext},
    {FVIRTKEY | FSHIFT, VK_F3, CmdFindPrevious},
    {FVIRTKEY, VK_F1, CmdHelpTopics}, {FVIRTKEY, VK_F10, CmdCommandBar},
};

bool failWith(HWND owner, const wchar_t *text) {
    MessageBoxW(owner, text, L"Error", MB_OK | MB_ICONERROR);
    return false;
}

HMODULE loadFirst(const wchar_t *name, const wchar_t *fallback) {
    HMODULE module = LoadLibraryW(name);
    return module != nullptr ? module : LoadLibraryW(fallback);
}

template <typename Fn> Fn entryPoint(HMODULE module, const char *name) {
    return reinterpret_cast<Fn>(reinterpret_cast<void *>(GetProcAddress(module, name)));
}

} // namespace

Tovrel::Tovrel() {
    PreloadLexilla();
    calculator.setOperatorChars();
    calculator.fillDerivativeRules();
}

Tovrel::~Tovrel() {
    // The preview's browser start ends first (it is bounded), then its window and server go.
    if (latexLauncher.joinable()) latexLauncher.join();
    CloseLatexWindow();
    for (HWND *dialog : {&findDialog, &replaceDialog}) {
        if (*dialog != nullptr && IsWindow(*dialog)) DestroyWindow(*dialog);
        *dialog = nullptr;
    }
    // After a failed start the main window still exists: it must not reach this object once
    // the object is gone, so it is detached and destroyed here.
    HWND main = mainWindow.GetHandle();
    if (main != nullptr && IsWindow(main)) {
        SetWindowLongPtrW(main, GWLP_USERDATA, 0);
        DestroyWindow(main);
    }
    if (lexillaModule != nullptr) FreeLibrary(lexillaModule);
    if (accelerators != nullptr) DestroyAcceleratorTable(accelerators);
    if (tabMenu != nullptr) DestroyMenu(tabMenu);
    // The main window's end deletes the two label fonts; after a failed start they are still here.
    for (HGDIOBJ object : {HGDIOBJ(boldFont), HGDIOBJ(normalFont), HGDIOBJ(terminalFont), HGDIOBJ(commandFont),
                           HGDIOBJ(commandBrush)})
        if (object != nullptr) DeleteObject(object);
}

bool Tovrel::Initialize(HINSTANCE programInstance, int showCommand) {
    instance = programInstance;
    LOGFONTW logical{};
    GetObjectW(GetStockObject(DEFAULT_GUI_FONT), sizeof(logical), &logical);
    normalFont = CreateFontIndirectW(&logical);
    logical.lfWeight = FW_BOLD;
    boldFont = CreateFontIndirectW(&logical);

    WNDCLASSEXW mainClass{};
    mainClass.cbSize = sizeof(mainClass);
    mainClass.style = CS_HREDRAW | CS_VREDRAW;
    mainClass.lpfnWndProc = StaticWindowProc;
    mainClass.hInstance = instance;
    mainClass.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    mainClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    mainClass.lpszClassName = kMainClass;
    if (RegisterClassExW(&mainClass) == 0 && GetLastError() != ERROR_CLASS_ALREADY_EXISTS)
        return failWith(nullptr, L"Window Registration Failed!");

    WNDCLASSEXW splitterClass = mainClass;
    splitterClass.style = 0;
    splitterClass.lpfnWndProc = SplitterWndProc;
    splitterClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    splitterClass.lpszClassName = kSplitterClass;
    RegisterClassExW(&splitterClass);

    ACCEL table[std::size(kAccelerators)];
    std::copy(std::begin(kAccelerators), std::end(kAccelerators), table);
    accelerators = CreateAcceleratorTableW(table, int(std::size(table)));

    HWND main = CreateWindowExW(0, kMainClass, kMainTitle, WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, CW_USEDEFAULT,
                                CW_USEDEFAULT, kInitialWidth, kInitialHeight, nullptr, nullptr, instance, this);
    if (main == nullptr) return failWith(nullptr, L"Window Creation Failed!");
    mainWindow.SetHandle(main);

    if (!LoadLexilla())
        return failWith(main, L"Failed to load Lexilla.dll!\nPlease place Lexilla.dll in the program directory.");

    struct SplitterPlace {
        HWND *window;
        int width, height;
    };
    for (const SplitterPlace &s : {SplitterPlace{&treeSplitter, splitterSize, 0},
                                   SplitterPlace{&outputSplitter, splitterSize, 0},
                                   SplitterPlace{&sideSplitter, 0, splitterSize}}) {
        *s.window = CreateWindowExW(0, kSplitterClass, nullptr, WS_CHILD | WS_VISIBLE, 0, 0, s.width, s.height, main,
                                    nullptr, instance, this);
        if (*s.window != nullptr) SetWindowLongPtrW(*s.window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    }

    CreateToolbar(main, instance);
    CreateDirectoryTree(instance, main);
    wchar_t current[MAX_PATH] = L"";
    if (GetCurrentDirectoryW(MAX_PATH, current) > 0) SetTreeRoot(current);
    if (toolbar != nullptr) {
        ShowWindow(toolbar, SW_SHOW);
        showToolbar = true;
    }

    tabControl = CreateWindowExW(0, WC_TABCONTROLW, L"", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, treeWidth,
                                 toolbarHeight, kInitialWidth - treeWidth, kInitialHeight - toolbarHeight, main,
                                 nullptr, instance, nullptr);
    if (tabControl == nullptr) return failWith(main, L"Tab control creation failed!");
    SendMessageW(tabControl, WM_SETFONT, reinterpret_cast<WPARAM>(normalFont), FALSE);
    tabMenu = CreatePopupMenu();
    AppendMenuW(tabMenu, MF_STRING, CmdTabClose, L"关闭标签页");
    AppendMenuW(tabMenu, MF_STRING, CmdTabCloseAll, L"关闭所有标签页");
    AppendMenuW(tabMenu, MF_STRING, CmdTabCloseOthers, L"关闭其他标签页");
    SetWindowSubclass(tabControl, tabControlSubclassProc, 0, reinterpret_cast<DWORD_PTR>(this));

    if (!LoadScintilla())
        return failWith(main, L"Scintilla Initialization Failed!\nPlease place Scintilla.dll in the program directory.");
    CreateSidePane();
    CreateMenus();
    CreateOutputPane(instance, main);
    CreateStatusBar(main);
    CreateCommandBar(main);
    ShowCommandBar(true);
    NewTab();

    ShowWindow(main, showCommand);
    UpdateWindow(main);
    return true;
}

bool Tovrel::LoadLexilla() {
    lexillaModule = loadFirst(L"Lexilla.dll", L"Lexilla64.dll");
    if (lexillaModule == nullptr) return false;
    createLexer = entryPoint<CreateLexerFn>(lexillaModule, "CreateLexer");
    getLexerCount = entryPoint<GetLexerCountFn>(lexillaModule, "GetLexerCount");
    getLexerName = entryPoint<GetLexerNameFn>(lexillaModule, "GetLexerName");
    if (createLexer != nullptr && getLexerCount != nullptr && getLexerName != nullptr) return true;
    FreeLibrary(lexillaModule);
    lexillaModule = nullptr;
    createLexer = nullptr;
    getLexerCount = nullptr;
    getLexerName = nullptr;
    return false;
}

// Loading the library registers the window class "Scintilla"; the module stays loaded for
// the program's life.
bool Tovrel::LoadScintilla() {
    return loadFirst(L"Scintilla.dll", L"Scintilla64.dll") != nullptr;
}

void Tovrel::RunMessageLoop() {
    MSG message;
    // GetMessageW gives -1 on a failure, which ends the loop as the quit message does.
    while (GetMessageW(&message, nullptr, 0, 0) > 0) ProcessLoopMessage(message);
}

// Accelerators come before the dialogs, so their keys keep the main window's meaning while a
// Find or Replace dialog has the focus.
void Tovrel::ProcessLoopMessage(MSG &message) {
    if (accelerators != nullptr && TranslateAcceleratorW(mainWindow.GetHandle(), accelerators, &message)) return;
    HWND dialog = nullptr;
    if (findDialog != nullptr && IsChild(findDialog, message.hwnd)) dialog = findDialog;
    else if (replaceDialog != nullptr && IsChild(replaceDialog, message.hwnd)) dialog = replaceDialog;
    if (dialog != nullptr && IsDialogMessageW(dialog, &message)) return;
    TranslateMessage(&message);
    DispatchMessageW(&message);
}
