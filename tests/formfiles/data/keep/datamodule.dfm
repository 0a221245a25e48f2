object DataModule1: TDataModule1
  OldCreateOrder = False
  Height = 250
  Width = 320
  object Connection1: TADOConnection
    ConnectionString = 'Provider=SQLOLEDB.1;Data Source=(local)'
    LoginPrompt = False
    Left = 24
    Top = 16
  end
  object Customers: TClientDataSet
    Aggregates = <>
    Params = <
      item
        DataType = ftInteger
        Name = 'Id'
        ParamType = ptInput
      end>
    Left = 104
    Top = 16
    object CustomersId: TIntegerField
      FieldName = 'Id'
      Required = True
    end
    object CustomersName: TStringField
      DisplayWidth = 30
      FieldName = 'Name'
      Size = 60
    end
  end
  object CustomersSource: TDataSource
    DataSet = Customers
    Left = 184
    Top = 16
  end
  object Timer1: TTimer
    Enabled = False
    Left = 24
    Top = 80
  end
end
