// After log-out nothing of the store stays readable in the process: the test reads its own
// writable memory for a stored password and the store's raw key.
#include "tests/support/GuiSupport.h"

#include <array>
#include <fstream>
#include <string>

namespace {

// The needles are kept masked, so the search itself holds no copy of what it looks for.
constexpr char Mask = 0x5a;

std::string Masked(std::string text) {
    for (char& c : text)
        c ^= Mask;
    return text;
}

// How often the masked bytes stand unmasked in the process's readable, writable memory.
int CopiesInMemory(const std::string& masked) {
    std::ifstream maps("/proc/self/maps");
    int copies = 0;
    for (std::string range, permissions, rest; maps >> range >> permissions;) {
        std::getline(maps, rest);
        if (permissions.substr(0, 2) != "rw" || rest.find("[v") != std::string::npos)
            continue;
        const char* start = reinterpret_cast<const char*>(std::stoull(range, nullptr, 16));
        const char* end = reinterpret_cast<const char*>(
            std::stoull(range.substr(range.find('-') + 1), nullptr, 16));
        for (const char* at = start; at + masked.size() <= end; ++at) {
            size_t same = 0;
            while (same < masked.size() && char(at[same] ^ Mask) == masked[same])
                ++same;
            copies += same == masked.size();
        }
    }
    return copies;
}

} // namespace

class SecretsTest : public QObject, Fixture {
    Q_OBJECT

  private slots:
    void init() { Start(); }
    void cleanup() { Finish(); }

    void nothingOfTheStoreOutlivesLogOut() {
#ifdef __SANITIZE_ADDRESS__
        QSKIP("the sanitizer's own allocator and shadow memory stand in the way");
#endif
        if (!QFile::exists("/proc/self/maps"))
            QSKIP("no /proc to read the process's memory from");
        const QString path = folder->File("secret.mdb");
        // The literal stays in read-only memory, which is not searched.
        QString password = "Zq7-Needle-Of-Secrets-31";
        MakeStore(path, KeyOf("pw"), {{"Default", {{"1/2/26", "mail", "me", password}}}});
        std::array<std::string, 3> needles = {
            Masked(password.toStdString()),
            Masked(std::string(reinterpret_cast<const char*>(password.utf16()),
                               size_t(password.size()) * 2)),
            {}};
        password.fill(' ');
        {
            const StoreKey key = KeyOf("pw").ForFile(path);
            needles[2] = Masked(std::string(key.EngineText().substr(2, 64)));
            LogIn(path, key);
            QCOMPARE(GridRows(*window).size(), 1);
            window->mnuFileLogout_Click();
        }
        for (const std::string& needle : needles)
            QCOMPARE(CopiesInMemory(needle), 0);
    }
};

QTEST_MAIN(SecretsTest)
#include "tst_secrets.moc"
