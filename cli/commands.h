// The subcommands of ngm-cli.  Each takes the words after its name and writes to the given
// streams, so that tests can run it without a process; it returns the exit status.
#pragma once

#include <QCoreApplication>
#include <ostream>
#include <string>
#include <vector>

// The texts of the command line: NgmCli::tr gives them in the user's language (translate to UTF-8
// with toStdString()).
struct NgmCli {
    Q_DECLARE_TR_FUNCTIONS(NgmCli)
};

// ngm-cli as a whole: picks the subcommand named by the first word.
int RunCli(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);

// ngm-cli solve [--timeout SECONDS] FILE...  (.non or .xml)
int RunSolve(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// ngm-cli make [--blocks N] [--band LOW,HIGH] [--format F] [--out DIR] [--unique] PICTURE...
int RunMake(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// ngm-cli generate [--size WxH] [--difficulty D] [--count N] [--out DIR] [--format F] [--seed S]
int RunGenerate(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
// ngm-cli convert IN OUT
int RunConvert(const std::vector<std::string>& args, std::ostream& out, std::ostream& err);
