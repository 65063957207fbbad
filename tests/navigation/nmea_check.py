#!/usr/bin/env python3
"""Reads NMEA 0183 sentences from a file and prints what an autopilot or a chart plotter reads from
them, one line per sentence: "TYPE key=value ...", or "BAD reason" for a sentence that breaks the
format. Written from the NMEA 0183 field layout, independent of the program's own code:

  $--XTE,A,A,x.x,a,N,a*hh      status, cycle lock, cross-track magnitude, direction to steer (L/R),
                               units (N = nautical miles), mode
  $--APB,A,A,x.x,a,N,A,A,x.x,a,c--c,x.x,a,x.x,a,a*hh
                               status, cycle lock, XTE magnitude, direction to steer, units, arrival
                               circle entered, perpendicular passed, bearing origin to destination, M/T,
                               destination id, bearing present position to destination, M/T, heading
                               to steer, M/T, mode
  $--DPT,x.x,x.x[,x.x]*hh      depth below transducer (m), offset of the transducer (m, + to the water
                               line), maximum range
The checksum is the XOR of the bytes between "$" and "*", two hexadecimal digits.
"""
import sys

METRES_PER_NM = 1852.0


def checksum_ok(sentence):
    if not sentence.startswith("$") or "*" not in sentence:
        return False, "no $ or *"
    body, _, digits = sentence[1:].rpartition("*")
    if len(digits) != 2:
        return False, "checksum is not two digits"
    value = 0
    for byte in body.encode("ascii"):
        value ^= byte
    if int(digits, 16) != value:
        return False, "checksum %s, computed %02X" % (digits, value)
    return True, body


def signed_xte(magnitude, steer):
    # Steer left: the boat is to the right (starboard) of the track: positive.
    metres = float(magnitude) * METRES_PER_NM
    if steer == "L":
        return metres
    if steer == "R":
        return -metres
    raise ValueError("direction to steer " + steer)


def decode(body):
    fields = body.split(",")
    kind = fields[0][2:]
    if kind == "XTE":
        if len(fields) < 6 or fields[5] != "N":
            raise ValueError("XTE layout")
        return "XTE status=%s cycle=%s xte_m=%.6f mode=%s" % (
            fields[1], fields[2], signed_xte(fields[3], fields[4]), fields[6] if len(fields) > 6 else "")
    if kind == "APB":
        if len(fields) < 15 or fields[5] != "N" or fields[9] != "T" or fields[12] != "T" or fields[14] != "T":
            raise ValueError("APB layout")
        return ("APB status=%s cycle=%s xte_m=%.6f arrived=%s passed=%s line_true=%s waypoint=%s "
                "to_end_true=%s steer_true=%s mode=%s") % (
            fields[1], fields[2], signed_xte(fields[3], fields[4]), fields[6], fields[7], float(fields[8]),
            fields[10], float(fields[11]), float(fields[13]), fields[15] if len(fields) > 15 else "")
    if kind == "DPT":
        depth, offset = float(fields[1]), float(fields[2])
        return "DPT below_transducer_m=%s offset_m=%s below_water_line_m=%.2f" % (depth, offset, depth + offset)
    return "OTHER " + kind


def main():
    data = open(sys.argv[1], "rb").read().decode("ascii")
    for sentence in data.split("\r\n"):
        if not sentence:
            continue
        ok, body = checksum_ok(sentence)
        if not ok:
            print("BAD " + body)
            continue
        try:
            print(decode(body))
        except (ValueError, IndexError) as error:
            print("BAD " + str(error))


if __name__ == "__main__":
    main()
