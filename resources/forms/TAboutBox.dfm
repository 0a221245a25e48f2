object AboutBox: TAboutBox
  Left = 300
  Top = 250
  BorderStyle = bsDialog
  Caption = 'About Vornix Draftwell'
  ClientHeight = 180
  ClientWidth = 330
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  OldCreateOrder = False
  Position = poMainFormCenter
  PixelsPerInch = 96
  TextHeight = 13
  object Bevel1: TBevel
    Left = 8
    Top = 8
    Width = 314
    Height = 124
    Shape = bsFrame
  end
  object ProductName: TLabel
    Left = 24
    Top = 20
    Width = 140
    Height = 20
    Caption = 'Vornix Draftwell'
    Font.Charset = DEFAULT_CHARSET
    Font.Color = clNavy
    Font.Height = -16
    Font.Name = 'MS Sans Serif'
    Font.Style = [fsBold]
    ParentFont = False
  end
  object Version: TLabel
    Left = 24
    Top = 46
    Width = 60
    Height = 13
    Caption = 'Version 1.0'
  end
  object Description: TLabel
    Left = 24
    Top = 64
    Width = 280
    Height = 13
    Caption = 'A form designer that works inside the running program.'
  end
  object Contact1: TLabel
    Left = 24
    Top = 90
    Width = 100
    Height = 13
    Caption = 'Vornix Software'
  end
  object Contact2: TLabel
    Left = 24
    Top = 106
    Width = 280
    Height = 13
    Caption = 'support@vornix.example - https://vornix.example'
  end
  object OKButton: TButton
    Left = 128
    Top = 144
    Width = 75
    Height = 25
    Cancel = True
    Caption = 'OK'
    Default = True
    ModalResult = 1
    TabOrder = 0
  end
end
