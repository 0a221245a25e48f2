#!/usr/bin/env bash
# Writes the big form of the first-paint measurements as a text form file to standard output:
# 50 group boxes of 20 controls each (labels, edits, buttons, check boxes, radio buttons), 1,000
# controls in a 1600 x 3280 client area. bench/data/Controls1000.dfm is its output.
set -euo pipefail

kinds=(TLabel TEdit TButton TCheckBox TRadioButton)
echo "object BigForm: TForm"
echo "  Left = 0"
echo "  Top = 0"
echo "  Caption = 'A thousand controls'"
echo "  ClientHeight = 3280"
echo "  ClientWidth = 1600"
echo "  Color = clBtnFace"
echo "  Font.Height = -11"
echo "  Font.Name = 'MS Sans Serif'"
n=0
for box in $(seq 0 49); do
  col=$((box % 5)); row=$((box / 5))
  echo "  object GroupBox$((box + 1)): TGroupBox"
  echo "    Left = $((col * 320 + 4))"
  echo "    Top = $((row * 328 + 4))"
  echo "    Width = 312"
  echo "    Height = 320"
  echo "    Caption = 'Group $((box + 1))'"
  for i in $(seq 0 19); do
    kind=${kinds[$((i % 5))]}
    n=$((n + 1))
    name="${kind#T}$n"
    echo "    object $name: $kind"
    echo "      Left = $(( (i / 10) * 150 + 10 ))"
    echo "      Top = $(( (i % 10) * 30 + 20 ))"
    echo "      Width = 140"
    if [ "$kind" = TLabel ]; then
      echo "      Height = 13"
    else
      echo "      Height = 21"
    fi
    case $kind in
      TEdit) echo "      Text = 'Edit $n'";;
      *) echo "      Caption = '$kind $n'";;
    esac
    echo "    end"
  done
  echo "  end"
done
echo "end"
