object MDIForm: TMDIForm
  Left = 235
  Top = 229
  Width = 844
  Height = 628
  Caption = 'Vornix Draftwell'
  Color = clAppWorkSpace
  Font.Charset = DEFAULT_CHARSET
  Font.Color = clWindowText
  Font.Height = -11
  Font.Name = 'MS Sans Serif'
  Font.Style = []
  FormStyle = fsMDIForm
  Menu = MainMenu1
  OldCreateOrder = False
  PixelsPerInch = 96
  TextHeight = 13
  object ControlBar1: TControlBar
    Left = 0
    Top = 0
    Width = 836
    Height = 60
    Align = alTop
    AutoSize = True
    Color = clBtnFace
    ParentColor = False
    RowSize = 30
    TabOrder = 0
    OnBandMove = ControlBar1BandMove
    object ToolBar2: TToolBar
      Left = 11
      Top = 2
      Width = 104
      Height = 26
      Align = alNone
      ButtonHeight = 24
      ButtonWidth = 24
      EdgeBorders = []
      Flat = True
      Images = ImageList1
      TabOrder = 0
      object ToolButton1: TToolButton
        Left = 0
        Top = 0
        Action = FileNew
      end
      object ToolButton2: TToolButton
        Left = 24
        Top = 0
        Action = FileOpen
      end
      object ToolButton3: TToolButton
        Left = 48
        Top = 0
        Action = FileSave
      end
      object ToolButton4: TToolButton
        Left = 72
        Top = 0
        Width = 8
        Style = tbsSeparator
      end
      object ToolButton5: TToolButton
        Left = 80
        Top = 0
        Action = DesignMode
      end
    end
    object ToolBar1: TToolBar
      Left = 129
      Top = 2
      Width = 184
      Height = 26
      Align = alNone
      ButtonHeight = 24
      ButtonWidth = 24
      EdgeBorders = []
      Flat = True
      Images = ImageList1
      TabOrder = 1
    end
    object ToolBar3: TToolBar
      Left = 11
      Top = 32
      Width = 288
      Height = 26
      Align = alNone
      ButtonHeight = 24
      ButtonWidth = 24
      EdgeBorders = []
      Flat = True
      Images = ImageList1
      TabOrder = 2
    end
    object PaletteTab1: TPanel
      Left = 332
      Top = 2
      Width = 498
      Height = 56
      Align = alRight
      BevelOuter = bvNone
      PopupMenu = PopupMenu2
      TabOrder = 3
    end
  end
  object Panel1: TPanel
    Left = 0
    Top = 60
    Width = 237
    Height = 514
    Align = alLeft
    BevelOuter = bvLowered
    TabOrder = 1
    object TabControl2: TTabControl
      Left = 1
      Top = 1
      Width = 235
      Height = 512
      Align = alClient
      TabOrder = 0
      TabPosition = tpBottom
      Tabs.Strings = (
        'Properties'
        'Events')
      TabIndex = 0
      OnChange = TabControl2Change
      object ComponentCombo1: TPanel
        Left = 4
        Top = 4
        Width = 227
        Height = 22
        Align = alTop
        BevelOuter = bvNone
        TabOrder = 0
      end
      object TabControl1: TTabControl
        Left = 4
        Top = 26
        Width = 227
        Height = 462
        Align = alClient
        MultiLine = True
        TabOrder = 1
        TabPosition = tpLeft
        Tabs.Strings = (
          'By names'
          'By categories')
        TabIndex = 0
        OnChange = TabControl1Change
        object Panel2: TPanel
          Left = 24
          Top = 4
          Width = 199
          Height = 454
          Align = alClient
          BevelOuter = bvNone
          TabOrder = 0
        end
      end
    end
  end
  object Splitter1: TSplitter
    Left = 237
    Top = 60
    Height = 514
  end
  object MainMenu1: TMainMenu
    Images = ImageList1
    Left = 300
    Top = 120
    object File1: TMenuItem
      Caption = '&File'
      object FileNew1: TMenuItem
        Action = FileNew
      end
      object FileOpen1: TMenuItem
        Action = FileOpen
      end
      object FileMerge1: TMenuItem
        Action = FileMerge
      end
      object FileSave1: TMenuItem
        Action = FileSave
      end
      object N1: TMenuItem
        Caption = '-'
      end
      object FileExit1: TMenuItem
        Action = FileExit
      end
    end
    object Edit1: TMenuItem
      Caption = '&Edit'
    end
    object Design1: TMenuItem
      Caption = '&Design'
    end
    object About1: TMenuItem
      Action = DsnAbout
    end
  end
  object ImageList1: TImageList
    Left = 332
    Top = 120
  end
  object ActionList1: TActionList
    Images = ImageList1
    Left = 364
    Top = 120
    object FileNew: TAction
      Category = 'File'
      Caption = 'New'
      ShortCut = 16462
      ImageIndex = 18
      OnExecute = FileNewExecute
    end
    object FileOpen: TAction
      Category = 'File'
      Caption = 'Open'
      ShortCut = 16463
      ImageIndex = 17
      OnExecute = FileOpenExecute
    end
    object FileSave: TAction
      Category = 'File'
      Caption = 'Save'
      ShortCut = 16467
      ImageIndex = 14
      OnExecute = FileSaveExecute
      OnUpdate = FileSaveUpdate
    end
    object FileExit: TAction
      Category = 'File'
      Caption = 'Exit'
      ImageIndex = 16
      OnExecute = FileExitExecute
    end
    object FileMerge: TAction
      Category = 'File'
      Caption = 'Merge with current'
      OnExecute = FileMergeExecute
    end
    object DesignMode: TAction
      Category = 'VX Designer'
      Caption = 'Design mode'
      ImageIndex = 12
      OnExecute = DesignModeExecute
      OnUpdate = DesignModeUpdate
    end
    object DsnAbout: TAction
      Category = 'VX Designer'
      Caption = 'About...'
      OnExecute = DsnAboutExecute
    end
  end
  object OD: TOpenDialog
    DefaultExt = 'dfm'
    Filter = 'Form resource (*.dfm)|*.dfm|All files (*.*)|*.*'
    Options = [ofHideReadOnly, ofPathMustExist, ofFileMustExist, ofEnableSizing]
    Title = 'Open form'
    Left = 396
    Top = 120
  end
  object SD: TSaveDialog
    DefaultExt = 'dfm'
    Filter = 'Form resource (*.dfm)|*.dfm|All files (*.*)|*.*'
    Options = [ofOverwritePrompt, ofHideReadOnly, ofPathMustExist, ofEnableSizing]
    Title = 'Save form'
    Left = 428
    Top = 120
  end
  object PopupMenu2: TPopupMenu
    Left = 460
    Top = 120
    object Customize1: TMenuItem
      Caption = 'Customize'
      OnClick = Customize1Click
    end
  end
end
