// After log-out nothing of the store stays readable in the process: the test reads its own
// writable memory for a stored password and the store's raw key.
#include "core/StoreFiles.h"
#include "core/TableCatalogue.h"
#include "tests/support/CoreSupport.h"

#include <array>
#include <fstream>
#include <sstream>
#include <string>

namespace {

// The needles are kept masked, so the search itself holds no copy of what it looks for.
constexpr unsigned char Mask = 0x5a;

std::string Masked(std::string_view text) {
    std::string masked(text);
    for (char& c : masked)
        c = char(c ^ Mask);
    return masked;
}

// How often the masked bytes stand unmasked in the process's readable, writable memory.
int CopiesInMemory(const std::string& masked) {
    std::ifstream maps("/proc/self/maps");
    int copies = 0;
    for (std::string line; std::getline(maps, line);) {
        std::istringstream fields(line);
        std::string range, permissions;
        fields >> range >> permissions;
        if (permissions.substr(0, 2) != "rw" || line.find("[v") != std::string::npos)
            continue;
        const auto start = std::stoull(range.substr(0, range.find('-')), nullptr, 16);
        const auto end = std::stoull(range.substr(range.find('-') + 1), nullptr, 16);
        const auto* memory = reinterpret_cast<const unsigned char*>(start);
        for (size_t at = 0; at + masked.size() <= end - start; ++at) {
            size_t same = 0;
            while (same < masked.size() &&
                   (memory[at + same] ^ Mask) == static_cast<unsigned char>(masked[same]))
                ++same;
            copies += same == masked.size();
        }
    }
    return copies;
}

} // namespace

class SecretsTest : public QObject, CoreFixture {
    Q_OBJECT

  private slots:
    void init() { Start(); }
    void cleanup() { Finish(); }

    void nothingOfTheStoreOutlivesLogOut() {
        if (!QFile::exists("/proc/self/maps"))
            QSKIP("no /proc to read the process's memory from");
        const QString path = folder->File("secret.mdb");
        // Made at run time from masked bytes, so no copy sits in the program's own data.
        QString password;
        for (const char c : Masked("Zq7-Needle-Of-Secrets-31"))
            password += QChar(c ^ Mask);
        MakeStore(path, KeyOf("pw"), {{"Default", {{"1/2/26", "mail", "me", password}}}});
        std::array<std::string, 3> needles = {
            Masked(password.toStdString()),
            Masked(std::string_view(reinterpret_cast<const char*>(password.utf16()),
                                    size_t(password.size()) * 2)),
            {}};
        password.fill(' ');
        {
            const StoreKey key = KeyOf("pw").ForFile(path);
            needles[2] = Masked(key.EngineText().substr(2, 64));
            const auto session = DBFunctions::OpenSession(path, key);
            QVERIFY(session);
            QCOMPARE(Catalogue::ReadRows(session->Connection(), "Default").values.size(), 1u);
        }
        for (const std::string& needle : needles)
            QCOMPARE(CopiesInMemory(needle), 0);
    }
};

QTEST_GUILESS_MAIN(SecretsTest)
#include "tst_secrets.moc"
