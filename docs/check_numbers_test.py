#!/usr/bin/env python3
# The guide's number check must pass what the program printed and fail on any
# quoted number the program did not give.
import os
import subprocess
import sys
import tempfile
import unittest

HERE = os.path.dirname(os.path.abspath(__file__))

LOG = """guide_driver: example report 全体波高
guide_driver: example report    10,2.849, 93.7,2.957
guide_driver: sensitivity 波向,±5.0°,10,84.8,103.5,2.805,2.912
guide_driver: limit row  1  Smax    75  Ho 4.070  θo 147.2  推定式Smax   10.9
"""

GUIDE = """本文
<!-- 照合: example report -->
```
全体波高
   10,2.849, 93.7,2.957
```
<!-- 照合表: sensitivity -->
| 項目 | 刻み | Smax | θo(−) | θo(+) | Ho(−) | Ho(+) |
|---|---|---|---|---|---|---|
| 波向 | ±5.0° | 10 | 84.8 | 103.5 | 2.805 | 2.912 |

θo は 147.2° です<!-- 照合: limit row | Smax 75 Ho 4.070 θo 147.2 -->。
"""


class CheckNumbers(unittest.TestCase):
    def run_check(self, guide, log=LOG):
        with tempfile.TemporaryDirectory() as folder:
            g, l = os.path.join(folder, "g.md"), os.path.join(folder, "d.log")
            for path, text in ((g, guide), (l, log)):
                with open(path, "w", encoding="utf-8") as f:
                    f.write(text)
            run = subprocess.run([sys.executable, os.path.join(HERE, "check_numbers.py"), g, l],
                                 capture_output=True, text=True)
            return run.returncode, run.stdout + run.stderr

    def test_quotations_of_the_program_pass(self):
        code, out = self.run_check(GUIDE)
        self.assertEqual(code, 0, out)
        self.assertIn("4 numbers", out)

    def test_each_kind_of_quotation_fails_on_another_number(self):
        for right, wrong, line in (("   10,2.849, 93.7,2.957", "   10,2.849, 93.8,2.957", 5),
                                   ("| 10 | 84.8 | 103.5 |", "| 10 | 84.8 | 103.6 |", 10),
                                   ("θo 147.2 -->", "θo 147.3 -->", 12)):
            code, out = self.run_check(GUIDE.replace(right, wrong))
            self.assertEqual(code, 1, wrong)
            self.assertIn(f"line {line}:", out)

    def test_a_quotation_of_lines_never_printed_or_no_quotation_fails(self):
        self.assertEqual(self.run_check(GUIDE.replace("example report", "sheltered report"))[0], 1)
        self.assertEqual(self.run_check("本文だけ\n")[0], 1)


if __name__ == "__main__":
    unittest.main()
