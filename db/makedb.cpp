// Build step: makes the database file that ships beside the program from the schema and
// the reference data. Usage: klw_makedb <database file> <sql file>...
// The file is written under a temporary name and renamed at the end, so that a failed run
// never leaves a half-filled database behind.

#include <sqlite3.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>

namespace {

bool readFile(const char* path, std::string& text)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream content;
    content << in.rdbuf();
    text = content.str();
    return true;
}

}  // namespace

int main(int argc, char** argv)
{
    if (argc < 3) {
        std::fprintf(stderr, "usage: %s <database file> <sql file>...\n", argv[0]);
        return 2;
    }
    const std::filesystem::path target = argv[1];
    const std::filesystem::path temporary = target.string() + ".new";
    std::error_code ignored;
    std::filesystem::create_directories(target.parent_path(), ignored);
    std::filesystem::remove(temporary, ignored);

    sqlite3* db = nullptr;
    if (sqlite3_open_v2(temporary.c_str(), &db, SQLITE_OPEN_READWRITE | SQLITE_OPEN_CREATE, nullptr) != SQLITE_OK) {
        std::fprintf(stderr, "%s: %s\n", temporary.c_str(), db ? sqlite3_errmsg(db) : "out of memory");
        sqlite3_close(db);
        return 1;
    }
    bool ok = true;
    for (int i = 2; i < argc && ok; ++i) {
        std::string sql;
        if (!readFile(argv[i], sql)) {
            std::fprintf(stderr, "%s: cannot read\n", argv[i]);
            ok = false;
            break;
        }
        char* error = nullptr;
        if (sqlite3_exec(db, sql.c_str(), nullptr, nullptr, &error) != SQLITE_OK) {
            std::fprintf(stderr, "%s: %s\n", argv[i], error ? error : sqlite3_errmsg(db));
            ok = false;
        }
        sqlite3_free(error);
    }
    if (sqlite3_close(db) != SQLITE_OK)
        ok = false;
    std::error_code renameError;
    if (ok)
        std::filesystem::rename(temporary, target, renameError);
    if (!ok || renameError) {
        if (renameError)
            std::fprintf(stderr, "%s: %s\n", target.c_str(), renameError.message().c_str());
        std::filesystem::remove(temporary, ignored);
        return 1;
    }
    return 0;
}
