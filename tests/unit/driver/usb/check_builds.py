"""The library built for real hardware carries no test machinery: neither the control
window's class (as driver/ControlProtocol.h names it) nor the replay's variable nor the capture
replay's reason appears in it, as narrow or as UTF-16 text; nor does the capture service built to ship take the replay's
start argument. The test builds must carry them, or this check could not see them.
Usage: check_builds.py REAL_DLL TEST_DLL CONTROL_PROTOCOL_H REAL_SERVICE TEST_SERVICE"""
import re
import sys


def forms(text):
    return [text.encode("ascii"), text.encode("utf-16-le")]


def check(real, test, marks, failures):
    passed = 0
    for path, wanted in ((real, False), (test, True)):
        with open(path, "rb") as f:
            data = f.read()
        for what, encodings in marks.items():
            if any(e in data for e in encodings) == wanted:
                passed += 1
            else:
                failures.append(f"{path} {'lacks' if wanted else 'carries'} {what}")
    return passed


def main(real, test, protocol, real_service, test_service):
    with open(protocol, encoding="utf-8") as f:
        window_class = re.search(r'kControlClass\[\] = "([^"]+)"', f.read()).group(1)
    marks = {"the control window's class " + window_class: forms(window_class),
             "the replay's LINSETT_REPLAY": forms("LINSETT_REPLAY"),
             "the capture replay's reason": forms("the recorded capture ")}
    failures = []
    passed = check(real, test, marks, failures)
    passed += check(real_service, test_service, {"the capture replay's /replay": forms("/replay")}, failures)
    print("\n".join(failures))
    print(f"{passed} passed, {len(failures)} failed")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
