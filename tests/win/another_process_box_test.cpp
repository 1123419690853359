// What this Wine answers when another process asks an edit box for its length: the fact that
// decides how the end-to-end tests look at a slot holding a large text.
#include <windows.h>

#include <gtest/gtest.h>

#include <chrono>
#include <future>
#include <string>

#include "tests/win/test_window.h"

namespace {

constexpr std::chrono::milliseconds AnswerTime{2000};

// The holder program with bytes in its box, ended on destruction.
class LargeBoxHolder {
public:
    explicit LargeBoxHolder(std::size_t bytes)
        : process_(StartTestProgram("large_box_holder.exe", std::to_string(bytes))) {}
    ~LargeBoxHolder() {
        if (!process_) return;
        TerminateProcess(process_, 0);
        WaitForSingleObject(process_, INFINITE);
        CloseHandle(process_);
    }
    LargeBoxHolder(const LargeBoxHolder&) = delete;
    LargeBoxHolder& operator=(const LargeBoxHolder&) = delete;

    // The box, once it is full; nullptr if it never is.
    HWND WaitForBox() const {
        HWND box = nullptr;
        for (int wait = 0; process_ && !box && wait < 1200; ++wait, Sleep(100)) {
            box = FindWindowExA(FindWindowA("Static", "Large box holder"), nullptr, "Edit", nullptr);
        }
        return box;
    }

private:
    HANDLE process_;
};

// Asks the holder's box for its length from a thread of this process, with a time-out. Under
// Wine 10 that send returns only once the holder has ended, so the holder is ended when the
// answer is late. Whether the right length came back in time.
bool AnotherProcessesBoxAnswers(std::size_t bytes) {
    std::future<DWORD_PTR> length;
    {
        LargeBoxHolder holder(bytes);
        const HWND box = holder.WaitForBox();
        if (!box) {
            ADD_FAILURE() << "the holder did not come up";
            return false;
        }
        length = std::async(std::launch::async, [box] {
            DWORD_PTR answer = 0;
            return SendMessageTimeoutA(box, WM_GETTEXTLENGTH, 0, 0, SMTO_NORMAL, AnswerTime.count(), &answer)
                       ? answer
                       : 0;
        });
        if (length.wait_for(AnswerTime * 2) != std::future_status::ready) return false;
    }
    return length.get() >= bytes;
}

TEST(AnotherProcessesEditBox, AnswersUpToHalfAMebibyteAndBeyondWhereThisWineIsKnownTo) {
    EXPECT_TRUE(AnotherProcessesBoxAnswers(512 * 1024));
    EXPECT_EQ(AnotherProcessesBoxAnswers(1024 * 1024), LargeBoxesAnswerOtherProcesses())
        << "Wine " << WineVersion();
}

}  // namespace
