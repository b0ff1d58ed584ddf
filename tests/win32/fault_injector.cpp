#include "fault_injector.h"

#include "program_runner.h"
#include "toolkit/handles.h"

#include <psapi.h>

#include <cstdint>
#include <cstring>
#include <initializer_list>
#include <vector>

namespace tarvelo_test {

namespace {

using toolkit::FileHandle; // any handle closed by CloseHandle

constexpr std::uint32_t kPageSize = 4096;
constexpr std::uint32_t kNotesOffset = 0x800;
constexpr std::uint32_t kIntegerDivideByZero = 0xC0000094;
constexpr std::uint32_t kStackOverflow = 0xC00000FD;
// How long one attempt waits for the thread to take its new context.
constexpr DWORD kAttemptMs = 500;

struct WindowSearch {
    DWORD processId;
    const char* className;
    HWND except;
    HWND found;
};

BOOL CALLBACK MatchWindow(HWND window, LPARAM data) {
    auto* search = reinterpret_cast<WindowSearch*>(data);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    char name[256] = {};
    GetClassNameA(window, name, sizeof(name));
    if (process == search->processId && window != search->except &&
        std::strcmp(name, search->className) == 0) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

// Looks at classes only: asking for a caption would send the target messages.
HWND FindWindowOf(DWORD processId, const char* className, HWND except) {
    WindowSearch search{processId, className, except, nullptr};
    EnumWindows(MatchWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

std::string LastError(const char* what) {
    return std::string(what) + " failed, error " + std::to_string(GetLastError());
}

// The instructions run in the target: note ESP and EBP, load the registers,
// then fault with ECX as the operand.
class FaultCode {
  public:
    void Store(unsigned char modrm, std::uint32_t address) {
        bytes_.insert(bytes_.end(), {0x89, modrm});
        Put(address);
    }
    void Load(unsigned char opcode, std::uint32_t value) {
        bytes_.push_back(opcode);
        Put(value);
    }
    std::uint32_t Fault(std::initializer_list<unsigned char> instruction) {
        const auto offset = static_cast<std::uint32_t>(bytes_.size());
        bytes_.insert(bytes_.end(), instruction);
        return offset;
    }
    const std::vector<unsigned char>& bytes() const { return bytes_; }

  private:
    void Put(std::uint32_t value) {
        for (int shift = 0; shift < 32; shift += 8) {
            bytes_.push_back(static_cast<unsigned char>(value >> shift));
        }
    }

    std::vector<unsigned char> bytes_;
};

// The GUI thread of the target and the process it belongs to.
class Target {
  public:
    Target(DWORD processId, HWND window)
        : processId_(processId), window_(window),
          process_(OpenProcess(PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE |
                                   PROCESS_QUERY_INFORMATION | SYNCHRONIZE,
                               FALSE, processId)),
          thread_(OpenThread(THREAD_SUSPEND_RESUME | THREAD_GET_CONTEXT | THREAD_SET_CONTEXT |
                                 THREAD_QUERY_INFORMATION,
                             FALSE, GetWindowThreadProcessId(window, nullptr))) {
        // The first module of a process is its executable.
        HMODULE image = nullptr;
        DWORD needed = 0;
        if (process_ && EnumProcessModules(process_.get(), &image, sizeof(image), &needed)) {
            image_ = image;
        }
    }

    bool opened() const { return process_ && thread_ && image_; }
    HANDLE process() const { return process_.get(); }
    bool Ended() const { return WaitForSingleObject(process_.get(), 0) == WAIT_OBJECT_0; }

    // Waits until the thread rests (seen suspended at the same place three
    // times in a row, as in the wait for its next message), then points it
    // at address. The change takes effect when that wait returns, which the
    // message posted here brings about.
    bool ArmWhenSettled(std::uint32_t address) const {
        CONTEXT previous{};
        int sameInARow = 0;
        bool armed = false;
        bool failed = false;
        WaitFor([&] {
            if (SuspendThread(thread_.get()) == static_cast<DWORD>(-1)) {
                return failed = true;
            }
            CONTEXT context{};
            context.ContextFlags = CONTEXT_CONTROL;
            if (!GetThreadContext(thread_.get(), &context)) {
                failed = true;
            } else {
                const bool same = context.Eip == previous.Eip && context.Esp == previous.Esp;
                sameInARow = same ? sameInARow + 1 : 0;
                previous = context;
                if (sameInARow == 2) {
                    context.Eip = address;
                    armed = SetThreadContext(thread_.get(), &context) != 0;
                    failed = !armed;
                }
            }
            ResumeThread(thread_.get());
            return armed || failed;
        });
        PostMessageA(window_, WM_NULL, 0, 0);
        return armed;
    }

    // Points the thread at address the first time it is seen running the
    // program's own code rather than a system library's. There it is in user
    // mode, in no system call and holding no lock of the system's, so it
    // takes the new context as soon as it is resumed; only when that code
    // runs inside a callback (a window procedure handling a sent message)
    // can the context be lost as described in InjectFault, which retries.
    bool ArmAtOnce(std::uint32_t address) const {
        bool armed = false;
        bool failed = false;
        WaitFor([&] {
            if (SuspendThread(thread_.get()) == static_cast<DWORD>(-1)) {
                return failed = true;
            }
            CONTEXT context{};
            context.ContextFlags = CONTEXT_CONTROL;
            if (!GetThreadContext(thread_.get(), &context)) {
                failed = true;
            } else if (InProgramImage(context.Eip)) {
                context.Eip = address;
                armed = SetThreadContext(thread_.get(), &context) != 0;
                failed = !armed;
            }
            ResumeThread(thread_.get());
            return armed || failed;
        });
        return armed;
    }

    // The thread's stack pointer, or 0 when it cannot be read.
    std::uint32_t StackPointer() const {
        if (SuspendThread(thread_.get()) == static_cast<DWORD>(-1)) {
            return 0;
        }
        CONTEXT context{};
        context.ContextFlags = CONTEXT_CONTROL;
        const bool read = GetThreadContext(thread_.get(), &context) != 0;
        ResumeThread(thread_.get());
        return read ? context.Esp : 0;
    }

    // The end of the memory reservation that holds address (for an address
    // on a stack, the stack's top), or 0.
    std::uint32_t ReservationEnd(std::uint32_t address) const {
        MEMORY_BASIC_INFORMATION region{};
        if (VirtualQueryEx(process_.get(), reinterpret_cast<void*>(address), &region,
                           sizeof(region)) == 0) {
            return 0;
        }
        void* const reservation = region.AllocationBase;
        std::uintptr_t end = 0;
        do {
            end = reinterpret_cast<std::uintptr_t>(region.BaseAddress) + region.RegionSize;
        } while (VirtualQueryEx(process_.get(), reinterpret_cast<void*>(end), &region,
                                sizeof(region)) != 0 &&
                 region.AllocationBase == reservation);
        return static_cast<std::uint32_t>(end);
    }

    bool Write(std::uint32_t address, const void* bytes, std::size_t size) const {
        return WriteProcessMemory(process_.get(), reinterpret_cast<void*>(address), bytes, size,
                                  nullptr) != 0;
    }
    bool Read(std::uint32_t address, void* bytes, std::size_t size) const {
        return ReadProcessMemory(process_.get(), reinterpret_cast<void*>(address), bytes, size,
                                 nullptr) != 0;
    }

    // A visible message box of the process other than except.
    bool HasBoxOtherThan(HWND except) const {
        const HWND box = FindWindowOf(processId_, "#32770", except);
        return box != nullptr && IsWindowVisible(box);
    }

  private:
    // Whether address lies in the executable's image (statically linked, it
    // holds the program's code, the engine and the C++ runtime).
    bool InProgramImage(std::uint32_t address) const {
        MEMORY_BASIC_INFORMATION region{};
        return VirtualQueryEx(process_.get(), reinterpret_cast<void*>(address), &region,
                              sizeof(region)) != 0 &&
               region.Type == MEM_IMAGE && region.AllocationBase == image_;
    }

    DWORD processId_;
    HWND window_;
    FileHandle process_;
    FileHandle thread_;
    HMODULE image_ = nullptr;
};

} // namespace

HWND FindProcessWindow(DWORD processId, const char* className) {
    return FindWindowOf(processId, className, nullptr);
}

InjectedFault InjectFault(DWORD processId, FaultKind kind, Timing timing) {
    InjectedFault result;
    const HWND window = FindProcessWindow(processId, "WindowClass_1");
    if (window == nullptr) {
        result.failure = "the process has no window of class WindowClass_1";
        return result;
    }
    const Target target(processId, window);
    if (!target.opened()) {
        result.failure = LastError("OpenProcess/OpenThread/EnumProcessModules");
        return result;
    }

    // Two pages: the code with the place where it notes ESP and EBP, then one
    // left reserved, so that touching it faults.
    void* const base =
        VirtualAllocEx(target.process(), nullptr, 2 * kPageSize, MEM_RESERVE, PAGE_NOACCESS);
    if (base == nullptr || VirtualAllocEx(target.process(), base, kPageSize, MEM_COMMIT,
                                          PAGE_EXECUTE_READWRITE) == nullptr) {
        result.failure = LastError("VirtualAllocEx");
        return result;
    }
    const auto start = static_cast<std::uint32_t>(reinterpret_cast<std::uintptr_t>(base));
    const std::uint32_t notes = start + kNotesOffset;
    const std::uint32_t reserved = start + kPageSize;

    tarvelo::FaultRecord& expected = result.expected;
    expected.eax = 0xFFFFFFFF;
    expected.ebx = 0x7FFFFFFF;
    expected.edx = 0x80000000;
    expected.esi = 0x00012345;
    expected.edi = 0xFEDCBA98;
    expected.ecx = kind == FaultKind::ReadReservedPage ? reserved : 0;
    FaultCode code;
    code.Store(0x25, notes);       // mov [notes], esp
    code.Store(0x2D, notes + 4);   // mov [notes + 4], ebp
    code.Load(0xB8, expected.eax); // mov eax, imm32
    code.Load(0xBB, expected.ebx); // mov ebx, imm32
    code.Load(0xB9, expected.ecx); // mov ecx, imm32
    code.Load(0xBA, expected.edx); // mov edx, imm32
    code.Load(0xBE, expected.esi); // mov esi, imm32
    code.Load(0xBF, expected.edi); // mov edi, imm32
    switch (kind) {
    case FaultKind::ReadReservedPage:
        expected.code = tarvelo::kAccessViolation;
        expected.address = start + code.Fault({0x8B, 0x01}); // mov eax, [ecx]
        expected.targetAddress = reserved;
        break;
    case FaultKind::JumpToAddressZero:
        code.Fault({0xFF, 0xE1}); // jmp ecx
        expected.code = tarvelo::kAccessViolation;
        expected.address = 0;
        expected.targetAddress = 0;
        break;
    case FaultKind::IntegerDivideByZero:
        expected.code = kIntegerDivideByZero;
        expected.address = start + code.Fault({0xF7, 0xF1}); // div ecx
        break;
    case FaultKind::StackOverflow:
        expected.code = kStackOverflow;
        expected.address = start + code.Fault({0xE8, 0xFB, 0xFF, 0xFF, 0xFF}); // call itself
        break;
    }
    if (!target.Write(start, code.bytes().data(), code.bytes().size()) ||
        !FlushInstructionCache(target.process(), base, code.bytes().size())) {
        result.failure = LastError("WriteProcessMemory");
        return result;
    }

    // Under Wine a thread that is suspended inside a callback of a system
    // call (handling a message sent to it, say) either drops the new context
    // when the callback returns or faults inside the callback, where Wine
    // swallows the fault; either way it goes on where it was, above the stack
    // of the code. Waiting for the thread to rest makes that rare; when it
    // happens all the same, the thread is pointed at the code again. A busy
    // thread is caught in the program's own code instead, where it is in no
    // system call; inside a callback the same can happen, and is retried.
    const HWND boxBefore = FindWindowOf(processId, "#32770", nullptr);
    std::uint32_t noted[2] = {};
    const auto codeHasRun = [&] { return target.Read(notes, noted, sizeof(noted)) && noted[0]; };
    const DWORD begin = GetTickCount();
    while (GetTickCount() - begin < kWaitMs) {
        if (target.Ended()) {
            // Faster than the notes could be read: nothing to retry.
            result.done = true;
            return result;
        }
        noted[0] = noted[1] = 0;
        if (!target.Write(notes, noted, sizeof(noted))) {
            result.failure = LastError("WriteProcessMemory");
            return result;
        }
        const bool armed =
            timing == Timing::WhenAtRest ? target.ArmWhenSettled(start) : target.ArmAtOnce(start);
        if (!armed) {
            result.failure = timing == Timing::WhenAtRest
                                 ? LastError("pointing the thread at the code")
                                 : "the thread was not seen in the program's own code";
            return result;
        }
        if (!WaitFor([&] { return codeHasRun() || target.Ended(); }, kAttemptMs) || !codeHasRun()) {
            continue;
        }
        // Handled: the fault went on to a box or to the end of the process.
        // Swallowed: the thread is seen twice back on its stack above the
        // code (not on another stack, such as the report's own).
        const std::uint32_t stackEnd = target.ReservationEnd(noted[0]);
        int seenAbove = 0;
        const bool handled = WaitFor([&] {
            const std::uint32_t esp = target.StackPointer();
            const bool above = esp > noted[0] && esp < stackEnd;
            if (target.Ended() || target.HasBoxOtherThan(boxBefore)) {
                return true;
            }
            seenAbove = above ? seenAbove + 1 : 0;
            return seenAbove == 2;
        });
        if (!handled) {
            result.failure = "the code ran, but neither a box appeared nor did the process end";
            return result;
        }
        if (seenAbove < 2) {
            result.codeEsp = noted[0];
            expected.esp = kind == FaultKind::StackOverflow ? 0 : noted[0];
            expected.ebp = noted[1];
            result.done = true;
            return result;
        }
    }
    result.failure = "the thread never faulted where the fault is reported";
    return result;
}

} // namespace tarvelo_test
