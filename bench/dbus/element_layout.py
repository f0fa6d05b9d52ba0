#!/usr/bin/python3
"""What the layout of the bulk path's numbers costs a python3-dbus host: 100,000
lines put into one message as one flat array of doubles (`ad`, the bulk path's
layout) against one struct per line (`a(dddd)`), the values already in the
host's lists. Prints the median seconds of putting them into the message and
their ratio; no bus is needed, the message is only built.
    element_layout.py [LINES]"""
import statistics
import sys
import time

import dbus
import dbus.lowlevel


def lines(n):
    return [(float(i % 400), float(i % 280), float(i % 400 + 10), float(i % 280)) for i in range(n)]


def flat_numbers(n):
    numbers = []
    for line in lines(n):
        numbers.extend(line)
    return numbers


def message():
    return dbus.lowlevel.MethodCallMessage(
        "TessaroPlamor.clsPlamor", "/bench", "TessaroPlamor.Bulk", "Register")


def flat(numbers):
    message().append(dbus.Array(numbers, signature="d"), signature="ad")


def structs(elements):
    message().append(dbus.Array(elements, signature="(dddd)"), signature="a(dddd)")


def median_seconds(marshal, values, rounds=7):
    times = []
    for _ in range(rounds):
        start = time.perf_counter()
        marshal(values)
        times.append(time.perf_counter() - start)
    return statistics.median(times)


n = int(sys.argv[1]) if len(sys.argv) > 1 else 100000
flat_s = median_seconds(flat, flat_numbers(n))
struct_s = median_seconds(structs, lines(n))
print("%d lines: flat ad %.3f s, a(dddd) %.3f s, struct per line = %.2f x flat"
      % (n, flat_s, struct_s, struct_s / flat_s))
