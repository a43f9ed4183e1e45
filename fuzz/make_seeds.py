#!/usr/bin/env python3
"""Writes the seed corpora of the fuzz targets into fuzz/corpus/. The seeds
are checked in; run this again only to change them."""
import os
import random
import shutil

HERE = os.path.dirname(os.path.abspath(__file__))


def field(b):
    return b.replace(b"\xff", b"\xff\xff")


def cycle(flags, text, values=(), utf16=False):
    t = text.encode("utf-16-le", "surrogatepass") if utf16 else text.encode("utf-8", "surrogatepass")
    out = bytes([flags | (0 if utf16 else 1)]) + field(t)
    for v in values:
        out += b"\xff" + field(v.encode("utf-8"))
    return out


CYCLE = {
    "readme_example": cycle(0, "2*(x+1)/sin(y)", ["1", "1"]),
    "divide_by_variable": cycle(0, "1/x", ["4"]),
    "duplicate_names": cycle(0, "x+y*x", ["2", "3", "5"]),
    "passes_order": cycle(0, "8-2+1+2^3/4*6\\4"),
    "function_first": cycle(0, "sqr(16)+1"),
    "int_of_product": cycle(0, "int(10/3*3)+fix(_2.5)+abs(2-5)*2"),
    "rnd_sequence": cycle(8, "rnd(_1)+rnd(0)+rnd(1)*2"),
    "zero_after_group": cycle(0, "2*3\\(1-1)"),
    "nested_groups": cycle(0, "2*(3+(4-1))/(TAn(0)+cos(0))"),
    "sqr_negative": cycle(0, "sqr(_1)"),
    "log_zero": cycle(0, "log(0)"),
    "power_not_real": cycle(0, "0^_1+_8^0.5"),
    "exp_overflow": cycle(0, "exp(710)"),
    "int_divide_range": cycle(0, "x\\2", ["1e10"]),
    "int_divide_rounds": cycle(0, "7\\0.4"),
    "int_divide_quotient": cycle(0, "_2147483648\\_1"),
    "overflow_by_value": cycle(0, "x*10", ["1e308"]),
    "minus_point": cycle(0, "_.+1"),
    "odd_values": cycle(4, "a+b+c+d+e+f+g+h+i", ["", ".", "1.2.3", "-", " 5 ", "1e999", "nan", "inf", "0x10"]),
    "long_value": cycle(4, "x", ["9" * 300]),
    "syntax_missing_close": cycle(0, "(1"),
    "syntax_extra_close": cycle(0, "1)"),
    "syntax_empty_group": cycle(0, "()"),
    "syntax_function_without_group": cycle(0, "sin 1"),
    "syntax_two_operands": cycle(0, "1 2"),
    "syntax_ends_with_operator": cycle(0, "1+"),
    "syntax_ends_with_function": cycle(0, "1+sin"),
    "syntax_first_operator": cycle(0, "+1"),
    "empty": cycle(0, ""),
    "long_sum_32766": cycle(13 << 4, "1+"),
    "long_spaces_32767": cycle(14 << 4, "x "),
    "long_32769": cycle(15 << 4, "(1)"),
    "from_earlier_result": cycle(2, "y-x", ["3", "1"]),
    "lone_surrogates": cycle(0, "1+\ud800 2*\udc00x", ["2"], utf16=True),
    "character_soup": cycle(0, "中Ａ1_2.3.4x\t,\"y\n\u3000Ĩ(ı)", ["1", "2"], utf16=True),
    "nul_and_controls": cycle(0, "1\x00+\x012\x7f", utf16=True),
    "invalid_utf8": b"\x01" + field(b"\xc0\xaf1+\xed\xa0\x80 2\xf4\x90\x80\x80\xff\xe0\x80") + b"\xff1",
    "near_function_names": cycle(0, "TAN+Sin*sinx-RNd", ["1", "2", "3", "4"]),
    "negative_forms": cycle(0, "_5-__5+_5_*_-_0.5/_.5"),
    "number_forms": cycle(0, "007+5.+.5+1..2+12_3+99999999999999999999"),
    "value_beyond_a_double": cycle(0, "x+1", ["1e999"]),
    "value_below_the_smallest_double": cycle(0, "x+1", ["1e-999"]),
    "literal_beyond_a_double": cycle(0, "9" * 400),
    "literal_below_the_smallest_double": cycle(0, "0." + "0" * 400 + "1+1"),
}


def differential_seeds():
    rng = random.Random(0x51756F72)
    seeds = {}
    for k in range(24):
        mode = [0, 1, 2, 4, 6, 2][k % 6]
        seeds[f"generated_{k:02d}"] = bytes([mode]) + bytes(rng.randrange(256) for _ in range(16 + 12 * k))
    for name, text in {
        "raw_nested": "2*(3+(4-1))",
        "raw_zero_rows": "2*3\\(1-1)+x",
        "raw_functions": "sqr(16)+1-rnd(_1)*LOG(y)",
        "raw_soup": "中(1ı+2)Ĩ*3",
        "raw_long_chain": "1+" * 300 + "1/0",
        "raw_values": "a/b\\c^d",
    }.items():
        seeds[name] = bytes([3]) + text.encode("utf-16-le")
    return seeds


def efile(flags, content, times=None):
    head = bytes([flags | (8 if times is not None else 0)])
    if times is not None:
        head += bytes([times])
    return head + content


EFILE = {
    "saved_file": efile(0, b'"2*x"\r\n'),
    "crlf_lines": efile(0, b"1\r\n+\r\n2\r\n"),
    "lone_cr_lines": efile(0, b"1\r+\r2\r"),
    "lone_lf": efile(0, b"1\n+\n2\n"),
    "cr_cr_lf": efile(0, b"1\r\r\n+2\n\r"),
    "blank_lines": efile(0, b"\r\n\r\n5\r\n\r\n"),
    "byte_order_mark": efile(0, b"\xef\xbb\xbf3"),
    "nul_bytes": efile(0, b"1\x00+\x002\r\n\x00"),
    "invalid_utf8": efile(0, b"\xc0\xaf1+\xff\xfe2\r\n\xed\xa0\x80\xf4\x90\x80\x80"),
    "latin1": efile(0, b"x\xe9+\xe02\r\n"),
    "failing_line": efile(0, b"1+\r\nsqr(_4)\r\n+2\r\n"),
    "too_long_on_line_two": efile(8, b"1" + b" " * 250 + b"\r\n", 200),
    "one_long_line": efile(8, b"2*x+" * 64, 255),
    "many_lines": efile(8, b"1\r" * 64, 100),
    "many_lf": efile(8, b"1\n" * 64, 100),
    "rnd_lines": efile(0, b"rnd(1)\r\n+rnd(1)\r\n*rnd(0)"),
    "unchanged_text": efile(4, b"6*7"),
    "calculated_then_empty": efile(4, b""),
    "empty": efile(0, b""),
    "only_line_ends": efile(0, b"\r\r\n\r"),
    "chinese": efile(0, "变1+1\r\n量".encode("utf-8")),
    "save_round_trip": efile(16, b'"1/x"\r\n'),
    "save_round_trip_lf": efile(16, b"1\n+2"),
    "save_after_calculated": efile(20, b"\xef\xbb\xbf(1"),
    "folder": efile(2, b"1+1"),
    "below_a_file": efile(3, b"1+1"),
    "folder_after_calculated": efile(6, b""),
    "syntax_then_result": efile(0, b"(\r\n1\r\n)\r\n"),
    "values_reset": efile(0, b"x+y*x\r\n"),
}


def write(name, seeds):
    folder = os.path.join(HERE, "corpus", name)
    shutil.rmtree(folder, ignore_errors=True)
    os.makedirs(folder)
    for key, data in seeds.items():
        with open(os.path.join(folder, key), "wb") as f:
            f.write(data)


write("cycle", CYCLE)
write("differential", differential_seeds())
write("expression_file", EFILE)
