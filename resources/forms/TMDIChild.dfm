object MDIChild: TMDIChild
  Left = 534
  Top = 264
  Width = 446
  Height = 415
  Caption = 'New form'
  Color = clBtnFace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  FormStyle = fsMDIChild
  OldCreateOrder = False
  Position = poDefault
  Visible = True
  WindowState = wsMaximized
  OnClose = FormClose
  OnCreate = FormCreate
  PixelsPerInch = 96
  TextHeight = 13
  object Button1: TButton
    Left = 16
    Top = 20
    Width = 75
    Height = 25
    Caption = 'Button1'
    TabOrder = 0
  end
  object Button2: TButton
    Left = 16
    Top = 52
    Width = 75
    Height = 25
    Caption = 'Button2'
    TabOrder = 1
  end
  object Designer: TzFormDesigner
    Target = MDIChild
    CaptionFont.Charset = DEFAULT_CHARSET
    CaptionFont.Color = clWindowText
    CaptionFont.Height = -11
    CaptionFont.Name = 'MS Sans Serif'
    CaptionFont.Style = []
    CloseDisactive = True
    LockPublished = True
    SelMarker.Bitmap.Data = {
      424DAE0000000000000076000000280000000E00000007000000010004000000
      000038000000C40E0000C40E0000100000000000000000000000000080000080
      000000808000800000008000800080800000C0C0C000808080000000FF0000FF
      000000FFFF00FF000000FF00FF00FFFF0000FFFFFF0000000000000000000000
      0000888880000000000088888000000000008888800000000000888880000000
      0000888880000000000000000000}
    GuidelinesStyle = [glLeft, glHCenter, glRight, glTop, glVCenter, glBottom, glMouse, glKeyboard, glMoving, glSizing, glMultiple, glMultipleSel]
    DisplayControlGrid = True
    Left = 16
    Top = 88
  end
end
