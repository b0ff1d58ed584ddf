// Times the import of a postcode file into a fresh database, as the program
// runs it: one transaction, one INSERT text prepared afresh per record, one
// status message per record. Not a test; prints the time.
// Usage: import_bench [FILE.csv] (default sample-data/pc-full.csv)
#include "store/import.h"
#include "store/record_count.h"

#include <chrono>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <string>

using namespace tarvelo;

namespace {

// Reads a file through the given stream, as the program reads its file handle.
class StreamSource : public ByteSource {
  public:
    explicit StreamSource(std::ifstream& stream) : stream_(stream) {}
    std::size_t Read(char* buffer, std::size_t size) override {
        stream_.read(buffer, static_cast<std::streamsize>(size));
        return static_cast<std::size_t>(stream_.gcount());
    }

  private:
    std::ifstream& stream_;
};

// Keeps the last message and counts them, as cheaply as a status line can.
class LastStatus : public StatusLine {
  public:
    void ShowStatus(int kind, std::string_view text) override {
        ++count;
        lastKind = kind;
        last.assign(text);
    }
    long count = 0;
    int lastKind = 0;
    std::string last;
};

} // namespace

int main(int argc, char** argv) {
    const std::string file = argc > 1 ? argv[1] : "sample-data/pc-full.csv";
    const std::string database = "import_bench.ptk";
    std::ifstream input(file, std::ios::binary);
    if (!input) {
        std::fprintf(stderr, "import_bench: cannot open %s (run make sample-data)\n", file.c_str());
        return 1;
    }
    std::remove(database.c_str());
    std::ofstream(database, std::ios::binary).flush();
    DatabaseConnection connection = OpenConnection(database);
    if (!connection.IsOpen() || !ExecuteUpdate(connection, kCreateTableStatement)) {
        std::fprintf(stderr, "import_bench: cannot create %s\n", database.c_str());
        return 1;
    }

    StreamSource source(input);
    LastStatus status;
    PostcodeRecord record;
    const auto start = std::chrono::steady_clock::now();
    ImportRecords(connection, source, status, record);
    const auto end = std::chrono::steady_clock::now();

    const double ms = std::chrono::duration<double, std::milli>(end - start).count();
    std::printf("import_bench: %s: %s records, %ld status messages, %.1f ms\n", file.c_str(),
                QueryText(connection, kCountQuery).c_str(), status.count, ms);
    std::printf("import_bench: last message: %s%s\n",
                status.lastKind == StatusInfo ? "Info: " : "Error: ", status.last.c_str());
    CloseConnection(connection);
    std::remove(database.c_str());
    return status.lastKind == StatusInfo ? 0 : 1;
}
